#include "core/text.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarn {
namespace {

std::vector<std::string> pieces(const char* text, const char* separators) {
    std::vector<std::string> result;
    for (const SharedString& piece : split(SharedString(text), separators)) {
        result.emplace_back(piece.data(), piece.length());
    }
    return result;
}

std::string str(const SharedString& s) {
    return std::string(s.data(), s.length());
}

TEST(Text, SplitDropsEmptyPieces) {
    EXPECT_EQ(pieces("1024 768 1", " "), (std::vector<std::string>{"1024", "768", "1"}));
    EXPECT_EQ(pieces("  800   600 ", " "), (std::vector<std::string>{"800", "600"}));
    EXPECT_EQ(pieces("a=b\r\nc", "\r\n="), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(pieces("", " ").empty());
    EXPECT_TRUE(pieces("   ", " ").empty());
}

TEST(Text, TrimRemovesControlCharactersAndSpaces) {
    EXPECT_EQ(str(trim(SharedString(" \t value \r\n"))), "value");
    EXPECT_EQ(str(trim(SharedString("\x01\x20"))), "");
    EXPECT_EQ(str(trim(SharedString("\xC3\xA9 "))), "\xC3\xA9") << "UTF-8 bytes are not blanks";
}

TEST(Text, TrimUnquoteRemovesOnePairOfQuotes) {
    EXPECT_EQ(str(trim_unquote(SharedString("  \"My Game\" "))), "My Game");
    EXPECT_EQ(str(trim_unquote(SharedString("\"\""))), "");
    EXPECT_EQ(str(trim_unquote(SharedString("\""))), "\"");
    EXPECT_EQ(str(trim_unquote(SharedString("\"a"))), "\"a");
    EXPECT_EQ(str(trim_unquote(SharedString("\"\"x\"\""))), "\"x\"");
}

}  // namespace
}  // namespace tarn
