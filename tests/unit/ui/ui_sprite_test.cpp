#include "ui/ui_sprite.hpp"

#include <gtest/gtest.h>

#include "support/log_capture.hpp"
#include "unit/ui/ui_draw_fixture.hpp"

namespace tarn::test {
namespace {

using UISpriteTest = UIDrawTest;

constexpr Pixel kRed = {255, 0, 0}, kGreen = {0, 255, 0}, kBlue = {0, 0, 255};
constexpr Pixel kWhite = {255, 255, 255}, kBlack = {0, 0, 0};

TEST_F(UISpriteTest, WholePicturesFillOrCentreInTheirFrame) {
    struct Case {
        const char* script;  // makes ::w
        Box box;             // where the picture shows, alone
        Pixel color;
    };
    const Case cases[] = {
        // 64 x 64 in a 32 x 128 frame at y = -32: scale 0.5, centred down at y = 48 - 32.
        {R"(UISprite({ sprite = "big", mode = "center", frame = [0, -32, 32, 128] }))",
         {0, 16, 32, 48},
         kWhite},
        {R"(UISprite({ sprite = "big", frame = [5, 5, 20, 10] }))", {5, 5, 25, 15}, kWhite},
        {R"(UISprite({ sprite = "big", frame = [5, 5, 20, 10] }); ::w.set_color([1, 1, 1, 0.5]))",
         {5, 5, 25, 15},
         {128, 128, 128}},
        // An animated sprite shows its first frame.
        {R"(UISprite({ sprite = "anim", frame = [3, 4, 20, 20] }))", {3, 4, 23, 24}, kRed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        UISprite* sprite = make<UISprite>(c.script);
        ASSERT_NE(sprite, nullptr);
        const Image image = draw(*sprite);
        int wrong = 0;
        for (int y = 0; y < GlWindow::kSize; ++y) {
            for (int x = 0; x < GlWindow::kSize; ++x) {
                const bool inside = x >= c.box.x0 && x < c.box.x1 && y >= c.box.y0 && y < c.box.y1;
                wrong += color_near(image[y * GlWindow::kSize + x], inside ? c.color : kBlack, 2)
                             ? 0
                             : 1;
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

// The "framed" sprite's side borders are its red and blue stripes; its middle is green.
TEST_F(UISpriteTest, BorderedPicturesStretchTheirMiddleAndKeepTheirCorners) {
    struct Case {
        int width;
        std::vector<std::pair<int, Pixel>> columns;  // colour from this column on
    };
    const Case cases[] = {
        // Both borders squeezed to 7.5 pixels, no middle.
        {15, {{0, kRed}, {8, kBlue}, {15, kBlack}}},
        {60, {{0, kRed}, {10, kGreen}, {50, kBlue}, {60, kBlack}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        UISprite* sprite = make<UISprite>("UISprite({ sprite = \"framed\", size = [" +
                                          std::to_string(c.width) + ", 20] })");
        ASSERT_NE(sprite, nullptr);
        const Image image = draw(*sprite);
        int wrong = 0, green = 0;
        for (std::size_t i = 0; i < c.columns.size(); ++i) {
            const int end = i + 1 < c.columns.size() ? c.columns[i + 1].first : GlWindow::kSize;
            // Filtering may blend one pixel on either side of an edge.
            for (int x = c.columns[i].first + 1; x < end - 1; ++x)
                for (int y = 0; y < 20; ++y)
                    wrong +=
                        color_near(image[y * GlWindow::kSize + x], c.columns[i].second, 2) ? 0 : 1;
        }
        // Nothing of the middle shows, but for the column the two borders meet in, which may
        // sample at the edge of the middle stripe.
        for (int y = 0; y < GlWindow::kSize; ++y)
            for (int x = 0; x < GlWindow::kSize; ++x)
                green += image[y * GlWindow::kSize + x][1] > 0 && (c.width != 15 || x != 7) ? 1 : 0;
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(green > 0, c.width == 60);
        EXPECT_EQ(bounds(image, lit), (Box{0, 0, c.width, 20}));
    }
}

TEST_F(UISpriteTest, SettingASpriteRestartsItsCursorAndChangesOnlyTheIdealSize) {
    LogCapture log;
    UISprite* sprite = make<UISprite>(R"(UISprite({ sprite = "anim", size = [10, 10] }))");
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->mode(), UISpriteMode::kScaleToFill);
    EXPECT_EQ(sprite->animation().flags, SpriteAnimation::kPlaying | SpriteAnimation::kLooping |
                                             SpriteAnimation::kLoopingSetByOwner);
    EXPECT_EQ(sprite->animation().frame, 0);
    ASSERT_TRUE(vm_.run("::w.set_sprite(\"framed\");"));
    EXPECT_EQ(sprite->ideal_size(), (Vec2{32, 32}));
    EXPECT_EQ(sprite->frame_size(), (Vec2{10, 10}));
    ASSERT_TRUE(vm_.run("::w.set_sprite(null);"));
    EXPECT_EQ(sprite->sprite(), nullptr);
    EXPECT_EQ(draw(*sprite), Image(GlWindow::kSize * GlWindow::kSize, kBlack));
    EXPECT_EQ(vm_.error_of("::w.set_sprite(5)"), "Expecting sprite name or null.");

    sprite = make<UISprite>(R"(UISprite({ sprite = "framed", mode = "fill" }))");
    EXPECT_EQ(sprite->frame_size(), (Vec2{32, 32}));
    EXPECT_EQ(sprite->mode(), UISpriteMode::kScaleToFill);
    sprite = make<UISprite>(R"(UISprite({ sprite = "nothing", mode = "center" }))");
    EXPECT_EQ(sprite->sprite(), nullptr);
    EXPECT_EQ(sprite->mode(), UISpriteMode::kCenter);
    int complaints = 0;
    for (const std::string& line : log.lines())
        complaints += line == "UISprite: Invalid value of mode." ? 1 : 0;
    EXPECT_EQ(complaints, 1);
}

}  // namespace
}  // namespace tarn::test
