#include "core/replacing_file.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "support/log_capture.hpp"
#include "support/temp_dir.hpp"

namespace tarn {
namespace {

using ::testing::ElementsAre;

class ReplacingFileTest : public ::testing::Test {
protected:
    ReplacingFileTest() { test::write_file(target_, "old"); }

    WidePath path() const { return WidePath(target_.c_str()); }
    std::string content() const { return test::read_file_text(target_); }
    bool temporary_left() const { return std::filesystem::exists(target_ + ".new"); }

    test::TempDir dir_;
    const std::string target_ = dir_ / "slot.txt";
    test::LogCapture log_;
};

// Only a commit replaces the old file; whatever else ends the writer leaves it whole.
TEST_F(ReplacingFileTest, OnlyACommitReplacesTheOldFile) {
    struct Case {
        const char* ending;
        void (*end)(ReplacingFile&, const WidePath& other);
        const char* content;
    };
    const Case cases[] = {
        {"commit", [](ReplacingFile& file, const WidePath&) { EXPECT_TRUE(file.commit()); }, "new"},
        {"discard", [](ReplacingFile& file, const WidePath&) { file.discard(); }, "old"},
        {"destruction", [](ReplacingFile&, const WidePath&) {}, "old"},
        {"reopening", [](ReplacingFile& file, const WidePath& other) { file.open(other); }, "old"},
    };
    for (const Case& c : cases) {
        test::write_file(target_, "old");
        {
            ReplacingFile file;
            ASSERT_TRUE(file.open(path()));
            EXPECT_TRUE(file.write("new", 3));
            EXPECT_EQ(content(), "old") << c.ending << ": nothing changes before the end";
            c.end(file, WidePath((dir_ / "other.txt").c_str()));
        }
        EXPECT_EQ(content(), c.content) << c.ending;
        EXPECT_FALSE(temporary_left()) << c.ending;
    }
    EXPECT_TRUE(log_.lines().empty());
}

// A file size limit plays a full disk: a large write fails at once, a small one when it is
// flushed at commit. Either way the old file stays and the failure is logged.
TEST_F(ReplacingFileTest, FullDiskKeepsTheOldFile) {
    struct Case {
        std::size_t size;
        const char* logged;
    };
    const Case cases[] = {
        {65536, "Error writing 65536 bytes to the file."},
        {3000, "Error closing file. Disk full?"},
    };
    for (const Case& c : cases) {
        const pid_t child = fork();
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{2048, 2048};
            setrlimit(RLIMIT_FSIZE, &limit);
            ReplacingFile file;
            const std::string data(c.size, 'x');
            const bool opened = file.open(path());
            file.write(data.data(), static_cast<std::int64_t>(data.size()));
            _exit(opened && !file.commit() ? 0 : 1);
        }
        int status = -1;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.size;
        EXPECT_EQ(content(), "old") << c.size;
        EXPECT_FALSE(temporary_left()) << c.size;
        EXPECT_EQ(log_.lines().back(), c.logged);
    }
}

// A folder in the temporary file's place stands for a folder where no file can be created: the
// target is then rewritten in place, and the message names the file that could not be made.
TEST_F(ReplacingFileTest, WritesInPlaceWhenNoFileCanBeCreatedBesideIt) {
    test::write_file(target_ + ".new/keep", "");
    ReplacingFile file;
    ASSERT_TRUE(file.open(path()));
    EXPECT_TRUE(file.write("new", 3));
    EXPECT_TRUE(file.commit());
    EXPECT_EQ(content(), "new");
    EXPECT_THAT(log_.lines(), ElementsAre("Can't open file '" + target_ + ".new' for writing."));
}

TEST_F(ReplacingFileTest, TargetThatCannotBeReplacedIsNamed) {
    std::filesystem::remove(target_);
    test::write_file(target_ + "/keep", "");
    ReplacingFile file;
    ASSERT_TRUE(file.open(path()));
    EXPECT_TRUE(file.write("new", 3));
    EXPECT_FALSE(file.commit());
    EXPECT_TRUE(std::filesystem::is_directory(target_));
    EXPECT_FALSE(temporary_left());
    EXPECT_THAT(log_.lines(), ElementsAre("Can't replace file '" + target_ + "'."));
}

}  // namespace
}  // namespace tarn
