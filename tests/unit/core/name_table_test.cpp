#include "core/name_table.hpp"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(NameTable, InternsNamesInOrderOfFirstUse) {
    NameTable names;
    EXPECT_EQ(names.id(""), 0);
    EXPECT_EQ(names.id("color"), 1);
    EXPECT_EQ(names.id("normal"), 2);
    EXPECT_EQ(names.id("color"), 1);
    EXPECT_EQ(names.size(), 3);
    EXPECT_TRUE(names.name(2) == "normal");
    EXPECT_TRUE(names.name(3).empty());
    EXPECT_TRUE(names.name(-1).empty());
}

}  // namespace
}  // namespace tarn
