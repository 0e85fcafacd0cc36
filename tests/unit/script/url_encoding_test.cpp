#include "script/url_encoding.hpp"

#include <gtest/gtest.h>

#include <string>

namespace tarn {
namespace {

std::string encode(const std::string& text) {
    const SharedString encoded = encode_for_url(text.data(), static_cast<int>(text.size()));
    return std::string(encoded.data(), encoded.length());
}

TEST(UrlEncoding, LettersAndDigitsStayEverythingElseIsEscaped) {
    EXPECT_EQ(encode("azAZ09"), "azAZ09");
    EXPECT_EQ(encode("a b?"), "a%20b%3f");
    EXPECT_EQ(encode("-_.~/:&="), "%2d%5f%2e%7e%2f%3a%26%3d");
    EXPECT_EQ(encode("@[`{"), "%40%5b%60%7b") << "the bytes next to the letter and digit ranges";
    EXPECT_EQ(encode(""), "");
}

TEST(UrlEncoding, HighBytesBecomeQuestionMarks) {
    EXPECT_EQ(encode("\xc3\xa9t\xff"), "%3f%3ft%3f");
}

TEST(UrlEncoding, ControlBytesTakeTwoDigits) {
    EXPECT_EQ(encode("\n1"), "%0a1") << "a single digit would decode as %a1";
    EXPECT_EQ(encode(std::string("x\0y", 3)), "x%00y") << "an embedded NUL is encoded, not the end";
    EXPECT_EQ(encode("\x7f"), "%7f");
}

}  // namespace
}  // namespace tarn
