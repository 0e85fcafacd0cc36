#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "resources/font.hpp"
#include "support/log_capture.hpp"
#include "unit/resources/test_font.hpp"

namespace tarn {
namespace {

using ::testing::AnyOf;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr const char* kTextureSize = "Invalid font texture size.";
constexpr const char* kOnePage = "Fonts support only one texture page.";
constexpr const char* kBadPair = "Invalid kerning pair on input.";
constexpr const char* kPairCount = "Invalid number of kerning pairs.";
constexpr const char* kNoSpace = "Font doesn't have space character available.";

// Space advances 4; A, B and V advance 9, 7 and 8; (A, V) kerns by -2.
std::string base_font() {
    return test::FontText()
        .glyph(' ', 0, 0, 0, 0, 0, 0, 4)
        .glyph('A', 1, 2, 7, 11, -1, 3, 9)
        .glyph('B', 10, 2, 6, 11, 0, 3, 7)
        .glyph('V', 20, 2, 8, 11, 0, 3, 8)
        .text;
}

struct ReadResult {
    bool ok;
    std::vector<std::string> log;
    GlyphTable table;
};

ReadResult read(const std::string& text) {
    test::LogCapture log;
    ReadResult result{};
    result.ok = read_bmfont_text(text, result.table);
    result.log = log.lines();
    return result;
}

std::vector<std::uint16_t> codes(const std::string& text) {
    return {text.begin(), text.end()};
}

TEST(BmfontReader, ReadsMetricsGlyphsAndPairsInFileOrder) {
    const ReadResult r = read(
        "info face=\"Some Font\" size=16\r\n"
        "common  lineHeight=21 base=17 scaleW=256 scaleH=128 pages=1 packed=0\r"
        "page id=0 file=\"x.png\"\n\nchars count=3\n"
        "char id=66 x=1\n"
        "char id=65 x=3 y=4 width=5 height=6 xoffset=-1 yoffset=2 xadvance=9 page=0 chnl=15\n"
        "char id=66 x=12 y=4 width=7 height=6 xoffset=0 yoffset=2 xadvance=8 x=13\r\n"
        "char id=32 xadvance=4\n"
        "kernings count=3\n"
        "kerning first=65 second=66 amount=-1\n"
        "kerning first=65 second=86 amount=-3\n"
        "kerning first=66 second=65");
    ASSERT_TRUE(r.ok);
    EXPECT_THAT(r.log, IsEmpty());
    const GlyphTable& t = r.table;
    EXPECT_EQ(t.line_height, 21);
    EXPECT_EQ(t.base, 17);
    EXPECT_EQ(t.scale_w, 256);
    EXPECT_EQ(t.scale_h, 128);
    EXPECT_EQ(t.missing_advance, 4.0f);
    const Glyph& a = t.glyph_for('A');
    EXPECT_EQ(std::vector<int>(
                  {a.x, a.y, a.width, a.height, a.xoffset, a.yoffset, a.xadvance, a.first_kerning}),
              std::vector<int>({3, 4, 5, 6, -1, 2, 9, 0}));
    // The later line replaced the first one; the last of a repeated key counts.
    EXPECT_EQ(t.glyph_for('B').x, 13);
    EXPECT_EQ(t.glyph_for('B').first_kerning, 2);
    ASSERT_EQ(t.kernings().size(), 3u);
    EXPECT_EQ(t.kernings()[1].second, 'V');
    EXPECT_EQ(t.kernings()[1].amount, -3);
    EXPECT_EQ(t.kernings()[2].amount, 0);
    EXPECT_FALSE(t.glyph_for('C').present());
    EXPECT_EQ(t.find_glyph(0x4100), nullptr);
    EXPECT_FALSE(t.glyph_for(0x4100).present());
}

TEST(BmfontReader, EveryFailureLogsItsReason) {
    struct Case {
        const char* lines;  // after the base font
        std::vector<std::string> log;
    };
    const std::string pairs = "kernings count=2\nkerning first=65 second=86\n";
    const Case cases[] = {
        {"common lineHeight=20 scaleW=8 scaleH=8 pages=2", {kOnePage}},
        {"common", {kOnePage}},
        {"common pages=1", {kTextureSize}},
        {"common lineHeight=20 base=16 scaleW=0 scaleH=128 pages=1", {kTextureSize}},
        {"char id=-1", {"Invalid glyph id -1."}},
        {"char id=65536", {"Invalid glyph id 65536."}},
        {"char id=123456789012345678901234567890", {"Invalid glyph id 9223372036854775807."}},
        {"kernings count=-1", {"Invalid kerning pair count."}},
        {"kernings count=1\nkernings count=1", {"Kerning pairs already specified!"}},
        {"kerning first=65 second=86", {kBadPair}},
        {"kernings count=1\nkerning first=65", {kBadPair}},
        {"kernings count=1\nkerning first=65 amount=3", {kBadPair}},
        {"kernings count=1\nkerning first=65536 second=86", {kBadPair}},
        {"kernings count=1\nkerning first=65 second=-2", {kBadPair}},
        {"kernings count=2\nkerning first=65 second=86\nkerning first=65 second=66\n"
         "kerning first=65 second=65",
         {kBadPair}},
        {"kernings count=2\nkerning first=65 second=86", {kPairCount}},
        {"kernings count=3\nkerning first=65 second=86\nkerning first=66 second=65\n"
         "kerning first=65 second=66",
         {"Kerning pairs are not properly blocked."}},
        {"kernings count=1\nkerning first=300 second=65", {"First kerning pair glyph not found."}},
        {"kernings count=0\nkernings count=1\nkerning first=65 second=86", {}},
    };
    for (const Case& c : cases) {
        const ReadResult r = read(base_font() + c.lines);
        EXPECT_EQ(r.ok, c.log.empty() || c.log[0].starts_with("First")) << c.lines;
        EXPECT_THAT(r.log, ElementsAreArray(c.log)) << c.lines;
    }
}

TEST(BmfontReader, MissingAdvanceIsTheSpaceAdvanceElseHalfTheLineHeight) {
    struct Case {
        const char* space;
        const char* common;
        float missing_advance;
        bool warns;
    };
    const Case cases[] = {
        {"char id=32 width=0 xadvance=6", "lineHeight=31", 6.0f, false},
        {"", "lineHeight=31", 15.0f, true},
        {"char id=32 width=-1 xadvance=6", "lineHeight=31", 15.0f, true},
        {"", "lineHeight=-31", -15.0f, true},
    };
    for (const Case& c : cases) {
        const ReadResult r = read(std::string("common scaleW=8 scaleH=8 pages=1 ") + c.common +
                                  "\nchar id=65 width=3\n" + c.space);
        EXPECT_TRUE(r.ok) << c.space << c.common;
        EXPECT_EQ(r.table.missing_advance, c.missing_advance) << c.space << c.common;
        EXPECT_EQ(r.log, c.warns ? std::vector<std::string>{kNoSpace} : std::vector<std::string>{})
            << c.space << c.common;
    }
}

TEST(BmfontReader, HostileNumbersSaturateAndAbsurdCountsTakeNoMemory) {
    const ReadResult r = read(
        "common lineHeight=99999999999 base=-99999999999 scaleW=1 scaleH=1 pages=1\n"
        "char id=32 x=70000 y=-70000 width=-5 height=99999999999999999999999 xoffset=+12 "
        "yoffset=12abc xadvance=3\n"
        "kernings count=2000000000\nkerning first=32 second=32 amount=-40000\n");
    EXPECT_FALSE(r.ok);
    EXPECT_THAT(r.log, ElementsAre(kPairCount));
    EXPECT_EQ(r.table.line_height, INT32_MAX);
    EXPECT_EQ(r.table.base, INT32_MIN);
    const Glyph& space = r.table.glyph_for(' ');
    EXPECT_EQ(std::vector<int>(
                  {space.x, space.y, space.width, space.height, space.xoffset, space.yoffset}),
              std::vector<int>({32767, -32768, -5, 32767, 12, 12}));
    EXPECT_FALSE(space.present());
    EXPECT_EQ(r.table.kernings()[0].amount, -32768);
    EXPECT_LE(r.table.kernings().capacity(), 2u);
}

// A glyph records its first pair in 16 bits: a pair block may run past index 32767, but none
// may start there.
TEST(BmfontReader, KerningBlocksStartWhereAGlyphCanRecordThem) {
    std::string lines = "kernings count=32770\n";
    for (int i = 0; i < 32769; ++i)
        lines += "kerning first=65 second=" + std::to_string(i) + "\n";
    EXPECT_THAT(read(base_font() + lines + "kerning first=86 second=65").log,
                ElementsAre(kBadPair));
    const ReadResult r = read(base_font() + lines + "kerning first=65 second=65535 amount=5");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.table.kerning(r.table.glyph_for('A'), 'A', 0xFFFF), 5);
}

TEST(BmfontReader, EveryTruncationFailsWithAKnownReasonOrReads) {
    const std::string full = base_font() + "kernings count=1\nkerning first=65 second=86 amount=-2";
    for (std::size_t n = 0; n <= full.size(); ++n) {
        const ReadResult r = read(full.substr(0, n));
        if (r.ok) {
            EXPECT_THAT(r.log, AnyOf(IsEmpty(), ElementsAre(kNoSpace))) << n;
        } else {
            ASSERT_FALSE(r.log.empty()) << n;
            EXPECT_THAT(r.log.back(), AnyOf(kTextureSize, kOnePage, kPairCount, kBadPair)) << n;
        }
    }
}

TEST(GlyphTable, MeasureAddsAdvancesKerningInsideTheRangeAndMissingAdvances) {
    GlyphTable t = test::read_font(base_font() +
                                   "char id=1 width=-1 xadvance=50\n"
                                   "kernings count=2\n"
                                   "kerning first=65 second=66 amount=-1\n"
                                   "kerning first=65 second=86 amount=-2\n");
    struct Case {
        std::vector<std::uint16_t> text;
        int start, count;
        float width;
    };
    const Case cases[] = {
        {codes("AV"), 0, 2, 9 - 2 + 8},
        {codes("AB"), 0, 2, 9 - 1 + 7},
        {codes("VA"), 0, 2, 8 + 9},
        {codes("AVA"), 0, 1, 9},           // no kerning with a code past the range
        {codes("AVA"), 1, 2, 8 + 9},       // nor before it
        {{'A', 1, 'V'}, 0, 3, 9 + 4 + 8},  // absent glyph of an existing page
        {{'A', 0x4100}, 0, 2, 9 + 4},      // code of a page that does not exist
        {codes("AV"), 1, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(t.measure(c.text.data(), c.start, c.count), c.width) << c.start << c.count;
    EXPECT_EQ(t.measure(nullptr, 0, 3), 0.0f);
    EXPECT_EQ(t.kerning(t.glyph_for('V'), 'V', 'A'), 0);
    EXPECT_EQ(t.kerning(t.glyph_for('A'), 'A', 'V'), -2);
}

}  // namespace
}  // namespace tarn
