// The line splitting of File.read_line and the choice of folder.
#include "script/file_object.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarn {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::vector<std::string> split_lines(const std::string& text) {
    const Bytes data(text.begin(), text.end());
    std::vector<std::string> lines;
    int cursor = 0;
    for (SharedString line; next_line(data, cursor, line);)
        lines.emplace_back(line.data(), line.length());
    return lines;
}

TEST(NextLineTest, SplitsAtLineFeedsAndDropsOneCarriageReturn) {
    EXPECT_THAT(split_lines("a\r\nb"), ElementsAre("a", "b"));
    EXPECT_THAT(split_lines("first\n\nthird\n"), ElementsAre("first", "", "third"));
    EXPECT_THAT(split_lines("\n"), ElementsAre(""));
    EXPECT_THAT(split_lines(""), IsEmpty());
    EXPECT_THAT(split_lines("a\r\r\nb\r"), ElementsAre("a\r", "b"));
    EXPECT_THAT(split_lines("a\rb\r\n\r\n"), ElementsAre("a\rb", ""));
    EXPECT_THAT(split_lines(std::string("x\0y\n", 4)), ElementsAre(std::string("x\0y", 3)));
}

TEST(NextLineTest, CursorMovesPastTheLineFeedAndStopsAtTheEnd) {
    const Bytes data{'a', 'b', '\n', 'c'};
    int cursor = 0;
    SharedString line;
    ASSERT_TRUE(next_line(data, cursor, line));
    EXPECT_EQ(cursor, 3);
    ASSERT_TRUE(next_line(data, cursor, line));
    EXPECT_EQ(line, "c");
    EXPECT_EQ(cursor, 4);
    EXPECT_FALSE(next_line(data, cursor, line));
    int outside = 9;
    EXPECT_FALSE(next_line(data, outside, line));
}

TEST(FileLocationTest, SaveAndHomeMeanTheSaveFolder) {
    EXPECT_EQ(file_location(SharedString("save")), FileLocation::kSave);
    EXPECT_EQ(file_location(SharedString("home")), FileLocation::kSave);
    EXPECT_EQ(file_location(SharedString("Save")), FileLocation::kData);
    EXPECT_EQ(file_location(SharedString("")), FileLocation::kData);
}

}  // namespace
}  // namespace tarn
