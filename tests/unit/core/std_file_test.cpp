#include "core/std_file.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/log_capture.hpp"
#include "support/temp_dir.hpp"

namespace tarn {
namespace {

using ::testing::ElementsAre;

WidePath path_of(const std::string& text) {
    return WidePath(text.c_str());
}

class StdFileTest : public ::testing::Test {
protected:
    test::TempDir dir_;
    test::LogCapture log_;
};

TEST_F(StdFileTest, WritesAndReadsBack) {
    StdFile file;
    ASSERT_TRUE(file.open(path_of(dir_ / "f.bin"), StdFile::kWrite));
    EXPECT_TRUE(file.write("hello world", 11));
    EXPECT_EQ(file.position(), 11);
    EXPECT_TRUE(file.close());

    ASSERT_TRUE(file.open(path_of(dir_ / "f.bin"), StdFile::kRead));
    EXPECT_EQ(file.size(), 11);
    EXPECT_EQ(file.position(), 0) << "measuring the size keeps the position";
    char buffer[6] = {};
    EXPECT_TRUE(file.seek(6));
    EXPECT_TRUE(file.read(buffer, 5));
    EXPECT_EQ(std::string(buffer), "world");
    EXPECT_TRUE(file.seek(-1));
    EXPECT_EQ(file.position(), 11) << "a negative offset moves to the end";
    EXPECT_TRUE(file.read(buffer, 0));
    EXPECT_FALSE(file.read(buffer, 1));
    EXPECT_THAT(log_.lines(), ElementsAre("Error reading 1 bytes from the file."));
}

TEST_F(StdFileTest, ReadWriteModeNeedsAnExistingFile) {
    StdFile file;
    EXPECT_FALSE(file.open(path_of(dir_ / "missing.bin"), StdFile::kReadWrite));
    EXPECT_FALSE(file.open(path_of(dir_ / "missing.bin"), 0));
    EXPECT_FALSE(file.open(path_of(dir_ / "missing.bin"), 4));
    const auto lines = log_.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "Invalid StdFile open mode 0.");
    EXPECT_EQ(lines[2], "Invalid StdFile open mode 4.");
    EXPECT_NE(lines[0].find("' for writing."), std::string::npos) << lines[0];
}

TEST_F(StdFileTest, OperationsOnAClosedHandleFail) {
    StdFile file;
    char byte = 0;
    EXPECT_TRUE(file.close());
    EXPECT_EQ(file.position(), -1);
    EXPECT_EQ(file.size(), -1);
    EXPECT_FALSE(file.read(&byte, 1));
    EXPECT_FALSE(file.write(&byte, 1));
    EXPECT_FALSE(file.seek(0));
    for (const std::string& line : log_.lines())
        EXPECT_EQ(line, "Invalid file handle.");
    EXPECT_EQ(log_.lines().size(), 5u);
}

TEST_F(StdFileTest, ReadsWholeFilesOfAnySizeUpToTheLimit) {
    test::write_file(dir_ / "empty.txt", "");
    Bytes bytes{1, 2, 3};
    EXPECT_TRUE(read_file(path_of(dir_ / "empty.txt"), bytes));
    EXPECT_TRUE(bytes.empty());
    SharedString text("old");
    EXPECT_TRUE(read_text(path_of(dir_ / "empty.txt"), text));
    EXPECT_EQ(text.length(), 0);

    test::write_file(dir_ / "text.txt", std::string("a\0b\r\n", 5));
    EXPECT_TRUE(read_text(path_of(dir_ / "text.txt"), text));
    EXPECT_EQ(std::string(text.data(), text.length()), std::string("a\0b\r\n", 5));
    EXPECT_TRUE(log_.lines().empty());
}

TEST_F(StdFileTest, TextReaderRefusesFilesOver32MiB) {
    const std::string big = dir_ / "big.bin";
    test::write_file(big, "");
    std::filesystem::resize_file(big, 40u << 20);
    Bytes bytes;
    EXPECT_TRUE(read_file(path_of(big), bytes));
    EXPECT_EQ(bytes.size(), 40u << 20);

    SharedString text("old");
    EXPECT_FALSE(read_text(path_of(big), text));
    EXPECT_EQ(text.length(), 0);
    const std::string shown = big;
    EXPECT_THAT(log_.lines(), ElementsAre("File too big.", "Can't read file '" + shown + "'."));
}

TEST_F(StdFileTest, FileReaderLimitIsInclusive) {
    const std::string exact = dir_ / "exact.bin";
    const std::string over = dir_ / "over.bin";
    test::write_file(exact, "");
    test::write_file(over, "");
    std::filesystem::resize_file(exact, 64u << 20);
    std::filesystem::resize_file(over, (64u << 20) + 1);
    Bytes bytes;
    EXPECT_TRUE(read_file(path_of(exact), bytes));
    EXPECT_FALSE(read_file(path_of(over), bytes));
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(log_.lines().front(), "File too big.");
}

TEST_F(StdFileTest, MissingFileLogsOpenAndReadFailures) {
    Bytes bytes;
    EXPECT_FALSE(read_file(path_of(dir_ / "nothing.png"), bytes));
    const std::string shown = dir_ / "nothing.png";
    EXPECT_THAT(log_.lines(), ElementsAre("Can't open file '" + shown + "' for reading.",
                                          "Can't read file '" + shown + "'."));
}

TEST_F(StdFileTest, ReadsDataFilesIgnoringCase) {
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir_.path());
    test::write_file(dir_ / "data/Fonts/Big.FNT", "font");
    Bytes bytes;
    const bool found = read_data_file(SharedString("fonts/big.fnt"), bytes);
    std::filesystem::current_path(cwd);
    EXPECT_TRUE(found);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "font");
}

}  // namespace
}  // namespace tarn
