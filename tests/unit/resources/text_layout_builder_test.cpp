#include "resources/text_layout_builder.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/singletons.hpp"
#include "core/platform_state.hpp"
#include "unit/resources/test_font.hpp"

// Layout over the font of test::layout_font_text(): a, b, c, d advance 10 (glyph at x + 1,
// y + 3), space 5, "w" 19, "^" 6, (a, b) kerns by -2, (a, space) by -3; lines are 20 high.
namespace tarn {
namespace {

class TextLayoutTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static const bool created = (create_singletons(), true);
        (void)created;
    }
    void SetUp() override {
        colors_[1] = {1.0f, 0.5f, 0.0f, 0.5f};
        colors_[9] = {0.0f, 1.0f, 1.0f, 1.0f};
    }
    void TearDown() override { colors_ = {}; }

    const TextLayout& lay_out(const std::u16string& text, float wrap = -1.0f,
                              TextAlign align = kTextAlignLeft, float scale = 1.0f) {
        build_text_layout(layout_, font_, reinterpret_cast<const std::uint16_t*>(text.data()),
                          static_cast<int>(text.size()), wrap, align, scale);
        return layout_;
    }
    std::vector<float> lefts() const {
        std::vector<float> x;
        for (const TextQuad& q : layout_.quads)
            x.push_back(q.x0);
        return x;
    }
    std::vector<float> tops() const {
        std::vector<float> y;
        for (const TextQuad& q : layout_.quads)
            y.push_back(q.y0);
        return y;
    }

    std::array<Color, 10>& colors_ = platform_state().text_colors;
    GlyphTable font_ = test::read_font(test::layout_font_text());
    TextLayout layout_;
};

TEST_F(TextLayoutTest, QuadsCarryPlacementTextureCoordinatesAndScale) {
    lay_out(u"ab", -1.0f, kTextAlignLeft, 2.0f);
    ASSERT_EQ(layout_.quads.size(), 2u);
    const TextQuad& b = layout_.quads[1];
    EXPECT_EQ(std::vector<float>({b.x0, b.y0, b.x1, b.y1}),
              std::vector<float>({(10 - 2 + 1) * 2, 3 * 2, (10 - 2 + 1 + 8) * 2, (3 + 12) * 2}));
    EXPECT_EQ(std::vector<float>({b.u0, b.v0, b.u1, b.v1}),
              std::vector<float>({10 / 256.0f, 20 / 128.0f, 18 / 256.0f, 32 / 128.0f}));
    EXPECT_EQ(std::vector<float>({b.r, b.g, b.b, b.a}), std::vector<float>({1, 1, 1, 1}));
    EXPECT_EQ(layout_.box_width, (10 - 2 + 10) * 2);
    EXPECT_EQ(layout_.box_height, 40);
}

TEST_F(TextLayoutTest, ColourCodesSwitchColourAndAreNeverDrawn) {
    struct Case {
        std::u16string text;
        std::string colours;  // the colour index of each quad
    };
    const Case cases[] = {
        {u"ab^1cd", "0011"}, {u"^9a b", "999"}, {u"ab^", "000"},   {u"a^b", "000"},
        {u"a^1", "0"},       {u"^1^9c", "9"},   {u"^1a\nb", "11"},
    };
    for (const Case& c : cases) {
        lay_out(c.text);
        std::string colours;
        for (const TextQuad& q : layout_.quads) {
            for (int i = 0; i < 10; ++i) {
                const Color& k = colors_[i];
                if (q.r == k.r * k.a && q.g == k.g * k.a && q.b == k.b * k.a && q.a == k.a) {
                    colours += static_cast<char>('0' + i);
                    break;
                }
            }
        }
        EXPECT_EQ(colours, c.colours) << std::string(c.text.begin(), c.text.end());
    }
}

TEST_F(TextLayoutTest, LineFeedsAndWrappingPlaceLines) {
    struct Case {
        std::u16string text;
        float wrap;
        std::vector<float> lefts;
        std::vector<float> tops;
        float height;
    };
    const Case cases[] = {
        {u"a\n\nb", -1, {1, 1}, {3, 43}, 60},
        {u"a\n", -1, {1}, {3}, 20},
        {u"\n", -1, {}, {}, 20},
        {u"", -1, {}, {}, 0},
        {u"a b", -1, {1, 10, 16}, {3, 0, 3}, 20},  // (a, space) kerns only inside a word
        // The space does not fit after "ab" (18 + 5 > 20) and opens the next line.
        {u"ab c", 20, {1, 9, 0, 6}, {3, 3, 20, 23}, 40},
        {u"ab cd", 23, {1, 9, 18, 1, 11}, {3, 3, 0, 23, 23}, 40},
        // A word wider than the wrap width stands alone on its line.
        {u"c abcd", 15, {1, 10, 1, 9, 19, 29}, {3, 0, 23, 23, 23, 23}, 40},
        {u"c", 0, {1}, {3}, 20},
        {u"c\xE000"
         u"d",
         -1,
         {1, 16},
         {3, 3},
         20},  // no glyph: the missing advance, no quad
    };
    for (const Case& c : cases) {
        const std::string text(c.text.begin(), c.text.end());
        lay_out(c.text, c.wrap);
        EXPECT_EQ(lefts(), c.lefts) << text;
        EXPECT_EQ(tops(), c.tops) << text;
        EXPECT_EQ(layout_.box_height, c.height) << text;
        EXPECT_EQ(layout_.extent_height, c.height) << text;
    }
}

TEST_F(TextLayoutTest, AlignmentShiftsLinesAndSetsSizes) {
    struct Case {
        std::u16string text;
        float wrap;
        TextAlign align;
        std::vector<float> lefts;  // of the first glyph of each line
        float box_width, extent_width;
    };
    const Case cases[] = {
        {u"cdcd", 100, kTextAlignLeft, {1}, 100, 40},
        {u"cdcd", 100, kTextAlignRight, {1 + 60}, 100, 100},
        {u"cdcd", 100, kTextAlignCenter, {1 + 30}, 100, 100},
        {u"cdcdw", 100, kTextAlignCenter, {1 + 20}, 100, 100},  // floor(41 / 2)
        {u"cdcd\nc", -1, kTextAlignRight, {1, 1 + 30}, 40, 40},
        {u"cdcd\nc", -1, kTextAlignCenter, {1, 1 + 15}, 40, 40},
        {u"abcd\nc", 25, kTextAlignRight, {1, 1 + 15}, 25, 38},
        {u"abcd\nc", 25, kTextAlignLeft, {1, 1}, 25, 38},
    };
    for (const Case& c : cases) {
        const std::string text(c.text.begin(), c.text.end());
        lay_out(c.text, c.wrap, c.align);
        std::vector<float> line_lefts;
        for (const TextQuad& q : layout_.quads) {
            if (line_lefts.size() * 20 + 3 == q.y0)
                line_lefts.push_back(q.x0);
        }
        EXPECT_EQ(line_lefts, c.lefts) << text << " " << c.align;
        EXPECT_EQ(layout_.box_width, c.box_width) << text << " " << c.align;
        EXPECT_EQ(layout_.extent_width, c.extent_width) << text << " " << c.align;
    }
}

TEST_F(TextLayoutTest, QuadsAreReservedOnceAndReused) {
    lay_out(u"a b c d a b c d");
    const TextQuad* first = layout_.quads.data();
    EXPECT_GE(layout_.quads.capacity(), 15u);
    lay_out(u"abcd\nabcd");
    EXPECT_EQ(layout_.quads.data(), first);
    EXPECT_EQ(layout_.quads.size(), 8u);
}

}  // namespace
}  // namespace tarn
