#include "core/utf.hpp"

#include <gtest/gtest.h>

#include <string>

namespace tarn {
namespace {

std::u16string to_utf16(const std::string& bytes) {
    WideString out;
    append_utf8_as_utf16(out, bytes.data(), static_cast<int>(bytes.size()));
    return std::u16string(out.data(), out.length());
}

std::string to_utf8(const std::u16string& units) {
    const SharedString s = utf16_to_utf8(units.data(), static_cast<int>(units.size()));
    return std::string(s.data(), s.length());
}

TEST(Utf8ToUtf16, DecodesEveryLength) {
    EXPECT_EQ(to_utf16("A\xC3\xA9\xE2\x9C\x93"), u"A\u00E9\u2713");
    EXPECT_EQ(to_utf16("\xF0\x9F\x98\x80"), std::u16string({0xD83D, 0xDE00}));
    EXPECT_EQ(to_utf16("\xC0\x81"), std::u16string(1, 0x01)) << "over-long forms are accepted";
}

TEST(Utf8ToUtf16, ReplacesBrokenSequencesWithOneQuestionMark) {
    EXPECT_EQ(to_utf16("\xC3\x41"), u"?") << "the offending byte goes with the sequence";
    EXPECT_EQ(to_utf16("\x80z"), u"?z") << "a stray continuation byte";
    EXPECT_EQ(to_utf16("\xFF\xFEz"), u"??z");
    EXPECT_EQ(to_utf16("ab\xE2\x9C"), u"ab?") << "input ending inside a sequence";
    EXPECT_EQ(to_utf16("\xF4\x90\x80\x80!"), u"?!") << "above U+10FFFF";
}

TEST(Utf16ToUtf8, EncodesEveryLength) {
    EXPECT_EQ(to_utf8(u"A"), "A");
    EXPECT_EQ(to_utf8(u"\u07FF"), "\xDF\xBF");
    EXPECT_EQ(to_utf8(u"\u2713"), "\xE2\x9C\x93");
    EXPECT_EQ(to_utf8(std::u16string({0xD83D, 0xDE00})), "\xF0\x9F\x98\x80");
    EXPECT_EQ(to_utf8(u"h\u00E9llo \u2713 and more text"),
              "h\xC3\xA9llo \xE2\x9C\x93 and more text");
}

TEST(Utf16ToUtf8, HandlesBrokenSurrogates) {
    EXPECT_EQ(to_utf8(std::u16string({0xD800, 0x0041})), "?") << "the 'A' is consumed";
    EXPECT_EQ(to_utf8(std::u16string({0xD800})), "?");
    EXPECT_EQ(to_utf8(std::u16string({0xDC00})), "\xED\xB0\x80") << "a lone low surrogate";
}

TEST(Utf, RoundTripsValidText) {
    const std::string text = "Ünïcödé ✓ 😀 plain";
    EXPECT_EQ(to_utf8(to_utf16(text)), text);
}

}  // namespace
}  // namespace tarn
