#include "core/message.hpp"

#include <gtest/gtest.h>

#include <string>

namespace tarn {
namespace {

std::string str(const SharedString& s) {
    return std::string(s.data(), s.length());
}

TEST(Message, FillsPlaceholdersInOrderOfTheirNumbers) {
    EXPECT_EQ(str(message("While running %1:%2:%3().", "main.nut", 12, "update")),
              "While running main.nut:12:update().");
    EXPECT_EQ(str(message("%2 then %1", "a", "b")), "b then a");
    EXPECT_EQ(str(message("Overriding %1 def '%1'.", "Texture", "wall")),
              "Overriding Texture def 'wall'.");
    EXPECT_EQ(str(message("Can't initialize %1 video mode %2x%3, SDL error: %3.", "windowed", 800,
                          600, "no display")),
              "Can't initialize windowed video mode 800x600, SDL error: no display.");
}

TEST(Message, LeavesTextWithoutPlaceholdersAlone) {
    EXPECT_EQ(str(message("no placeholder", "x")), "no placeholder");
    EXPECT_EQ(str(message("ends in %", "x")), "ends in %");
    EXPECT_EQ(str(message("100%%1 sure", "x")), "100%%1 sure");
    EXPECT_EQ(str(message("%%%1", "x")), "%%x");
}

TEST(Message, TextBroughtInByAnArgumentTakesPartInLaterFills) {
    EXPECT_EQ(str(message("%2 and %3", "%1", "b", "c")), "b and c");
    EXPECT_EQ(str(message("[%1]", "%0", "z")), "[z]");
}

TEST(Message, FormatsIntegersAndFloats) {
    EXPECT_EQ(str(message("%1 %2 %3", -42, 9000000000LL, 42u)), "-42 9000000000 42");
    EXPECT_EQ(str(message("%1 %2 %3", 2.5, 0.1f, 1e20)), "2.5 0.1 1e+20");
    SharedString hex("mode %1");
    EXPECT_EQ(str(arg_integer(hex, 0x1f, 16, false)), "mode 1f");
}

TEST(Message, ExplicitLengthTakesAPrefix) {
    SharedString m("<%1>");
    EXPECT_EQ(str(arg(m, "abcdef", 3)), "<abc>");
}

}  // namespace
}  // namespace tarn
