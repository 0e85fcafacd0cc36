#include "ui/ui_label.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "support/log_capture.hpp"
#include "unit/ui/ui_draw_fixture.hpp"

namespace tarn::test {
namespace {

class UILabelTest : public UIDrawTest {
protected:
    Vec2 extent(const UILabel& label) const {
        return {label.text_layout().extent_width, label.text_layout().extent_height};
    }
};

bool white(const Pixel& p) {
    return color_near(p, {255, 255, 255}, 8);
}

TEST_F(UILabelTest, TheTextSitsInTheNinthOfItsFrameThatTheAlignNames) {
    UILabel* reference = make<UILabel>(R"(UILabel({ text = "ii", align = "top_left",
                                                    frame = [2, 2, 60, 60] }))");
    ASSERT_NE(reference, nullptr);
    const Vec2 size = extent(*reference);
    ASSERT_EQ(size, (Vec2{18, 37}));
    const Box top_left = bounds(draw(*reference), lit);
    ASSERT_GT(top_left.x1, 0);
    struct Case {
        const char* align;
        float across, down;  // share of the free room before the text
    };
    const Case cases[] = {{"center", 0.5f, 0.5f}, {"right", 1, 0.5f},     {"bottom", 0.5f, 1},
                          {"top_right", 1, 0},    {"bottom_right", 1, 1}, {"left", 0, 0.5f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.align);
        UILabel* label = make<UILabel>(std::string("UILabel({ text = \"ii\", align = \"") +
                                       c.align + "\", frame = [2, 2, 60, 60] })");
        ASSERT_NE(label, nullptr);
        const int dx = static_cast<int>(std::floor((60 - size[0]) * c.across));
        const int dy = static_cast<int>(std::floor((60 - size[1]) * c.down));
        EXPECT_EQ(bounds(draw(*label), lit), top_left.moved(dx, dy));
    }
}

TEST_F(UILabelTest, TextShrinksToFitItsFrameButIsNeverEnlarged) {
    UILabel* natural = make<UILabel>(R"(UILabel({ text = "HH", align = "top_left" }))");
    ASSERT_NE(natural, nullptr);
    ASSERT_EQ(natural->frame_size(), (Vec2{48, 37}));
    const Box full = bounds(draw(*natural), lit);
    UILabel* roomy =
        make<UILabel>(R"(UILabel({ text = "HH", align = "top_left", size = [64, 64] }))");
    EXPECT_EQ(bounds(draw(*roomy), lit), full);
    UILabel* narrow =
        make<UILabel>(R"(UILabel({ text = "HH", align = "top_left", size = [24, 64] }))");
    const Box half = bounds(draw(*narrow), lit);
    EXPECT_NEAR(half.x1 - half.x0, (full.x1 - full.x0) / 2.0, 1.0);
    EXPECT_NEAR(half.y1 - half.y0, (full.y1 - full.y0) / 2.0, 1.0);
}

TEST_F(UILabelTest, TheShadowIsDrawnFirstInBlackOneUnitAbove) {
    const std::string text = R"(text = "HH", frame = [4, 10, 56, 40])";
    UILabel* plain = make<UILabel>("UILabel({" + text + "})", "plain");
    UILabel* shadowed = make<UILabel>("UILabel({ shadow = true, " + text + "})", "shadowed");
    ASSERT_TRUE(plain != nullptr && shadowed != nullptr);
    const Image without = draw(*plain, {0.5f, 0.5f, 0.5f});
    const Image with = draw(*shadowed, {0.5f, 0.5f, 0.5f});
    int covered_text = 0, shadow_above = 0, checked = 0;
    for (int x = 0; x < GlWindow::kSize; ++x) {
        for (int y = 1; y < GlWindow::kSize; ++y) {
            const int at = y * GlWindow::kSize + x;
            if (!white(without[at]))
                continue;
            covered_text += white(with[at]) ? 0 : 1;
            // A text pixel with bare background right above it has the shadow there.
            if (color_near(without[at - GlWindow::kSize], {128, 128, 128}, 3)) {
                ++checked;
                shadow_above += color_near(with[at - GlWindow::kSize], {0, 0, 0}, 8) ? 1 : 0;
            }
        }
    }
    EXPECT_GT(checked, 10);
    EXPECT_EQ(covered_text, 0);
    EXPECT_EQ(shadow_above, checked);
}

TEST_F(UILabelTest, AWrappedLabelReflowsWhenItsWidthChanges) {
    ASSERT_TRUE(vm_.run(R"(
        class ::CountingLabel extends ::UILabel { layouts = 0; function layout_self() { ++layouts; } }
    )"));
    // Laid out unwrapped at first: one line, 46 wide.
    UILabel* label = make<UILabel>(
        R"(::CountingLabel({ text = "ii ii", word_wrap = true, align = "top_left" }))");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(extent(*label), (Vec2{46, 37}));
    const auto ink_below_first_line = [&] {
        const Image image = draw(*label);
        return bounds(image, lit).y1 > 37;
    };
    EXPECT_FALSE(ink_below_first_line());
    ASSERT_TRUE(vm_.run("::w.set_frame_size([30, 80]);"));
    EXPECT_EQ(extent(*label), (Vec2{28, 74}));
    EXPECT_TRUE(ink_below_first_line());
    ASSERT_TRUE(vm_.run("::w.set_frame_size([60, 80]);"));
    EXPECT_EQ(extent(*label), (Vec2{46, 37}));
    EXPECT_EQ(vm_.eval_integer("return ::w.layouts;"), 2);
}

TEST_F(UILabelTest, InitKeysAndSettersShapeTheLabel) {
    LogCapture log;
    struct Case {
        const char* script;  // makes ::w
        const char* text;
        bool has_font;
        Vec2 frame;
        std::uint32_t align;
    };
    const Case cases[] = {
        {"UILabel({ text = \"ii\" })", "ii", true, {18, 37}, 0x22},
        {"UILabel()", "", true, {0, 0}, 0x22},
        {"UILabel({ text = 5, align = \"bottom_left\" })", "", true, {0, 0}, 0x10},
        {"UILabel({ text = \"ii\", font = \"nothing\" })", "ii", false, {0, 0}, 0x22},
        {"UILabel({ text = \"ii\", align = \"middle\" })", "ii", true, {18, 37}, 0x22},
        {"UILabel({ align = \"\" })", "", true, {0, 0}, 0x22},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        UILabel* label = make<UILabel>(c.script);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(std::string(label->text().data(), label->text().length()), c.text);
        EXPECT_EQ(label->font() != nullptr, c.has_font);
        EXPECT_EQ(label->frame_size(), c.frame);
        EXPECT_EQ(label->ideal_size(), c.frame);
        EXPECT_EQ(label->align(), c.align);
    }
    std::vector<std::string> complaints;
    for (const std::string& line : log.lines())
        if (line.starts_with("UILabel: "))
            complaints.push_back(line);
    EXPECT_EQ(complaints, std::vector<std::string>{"UILabel: Invalid value of align."});

    UILabel* label = make<UILabel>(R"(UILabel({ shadow_offset = [3], text = "ii" }))");
    EXPECT_EQ(label->shadow_offset(), (Vec2{3, -1}));
    ASSERT_TRUE(vm_.run("::w.set_text(\"HH\"); ::w.set_offset([1, 2]);"));
    EXPECT_EQ(extent(*label), (Vec2{48, 37}));
    EXPECT_EQ(label->frame_size(), (Vec2{18, 37}));
    EXPECT_EQ(label->offset(), (Vec2{1, 2}));
    EXPECT_EQ(vm_.error_of("::w.set_text(5)"), "Expecting string.");
    EXPECT_EQ(vm_.error_of("::UILabel.set_text.call(::UISprite(), \"x\")"), "Expecting UILabel");
}

}  // namespace
}  // namespace tarn::test
