#include "core/log.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdarg>
#include <string>

#include "core/fatal.hpp"
#include "support/log_capture.hpp"
#include "support/temp_dir.hpp"

namespace tarn {
namespace {

using ::testing::ElementsAre;

void log_printf(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    log_formatted(format, args);
    va_end(args);
}

TEST(Log, WritesEachMessageAsOneLineToFileAndConsole) {
    test::LogCapture log;
    ::testing::internal::CaptureStdout();
    log_message("first");
    log_message(SharedString("second"));
    log_message(static_cast<const char*>(nullptr));
    const std::string console = ::testing::internal::GetCapturedStdout();
    EXPECT_THAT(log.lines(), ElementsAre("first", "second"));
    EXPECT_EQ(console, "first\nsecond\n");
}

TEST(Log, FormattedTextIsCutAt1023Characters) {
    test::LogCapture log;
    log_printf("%s=%d", "value", 42);
    log_printf("%s", std::string(5000, 'x').c_str());
    const auto lines = log.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "value=42");
    EXPECT_EQ(lines[1], std::string(1023, 'x'));
}

TEST(Log, OpeningCreatesTheSaveDirectoryAndTruncates) {
    test::TempDir dir;
    const std::string path = dir / "saves/deep/game_log.txt";
    test::write_file(path, "old contents\n");
    log_file().close();
    log_file().open(WidePath(path.c_str()));
    log_file().open(WidePath((dir / "other.txt").c_str()));  // already open: ignored
    log_message("new");
    log_file().close();
    EXPECT_EQ(test::read_file_text(path), "new\n");
}

TEST(Log, WithoutAConsoleOnlyTheFileIsWritten) {
    test::TempDir dir;
    const std::string path = dir / "game_log.txt";
    // A child without standard output must still log to the file and not fail.
    const pid_t child = fork();
    if (child == 0) {
        close(STDOUT_FILENO);
        log_file().close();
        log_file().open(WidePath(path.c_str()));
        log_message("no console here");
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(test::read_file_text(path), "no console here\n");
}

using FatalDeathTest = ::testing::Test;

TEST(FatalDeathTest, InternalErrorLogsAndAborts) {
    EXPECT_EXIT(fatal_internal_error(SharedString("sq_newslot( m_v, top + 1, SQFalse ) "
                                                  "unpexpectly failed.")),
                ::testing::KilledBySignal(SIGABRT), "");
}

TEST(FatalDeathTest, ScriptErrorShowsTheTextOnStderrAndAborts) {
    EXPECT_EXIT(fatal_script_error(SharedString("index 'x' does not exist")),
                ::testing::KilledBySignal(SIGABRT), "Error: index 'x' does not exist");
}

// Standard output sent to a file is block buffered; what was printed before an abort must arrive.
TEST(FatalDeathTest, AbortKeepsWhatWasPrintedToAFile) {
    struct Case {
        void (*stop)();
        const char* printed;
    };
    const Case cases[] = {
        {[] { fatal_internal_error(SharedString("internal")); }, "before\ninternal\n"},
        {[] { fatal_script_error(SharedString("script")); }, "before\n"},
    };
    test::TempDir dir;
    const std::string out = dir / "stdout.txt";
    for (const Case& c : cases) {
        EXPECT_EXIT(
            {
                log_file().close();
                if (std::freopen(out.c_str(), "w", stdout) == nullptr)
                    std::exit(1);
                log_message("before");
                c.stop();
            },
            ::testing::KilledBySignal(SIGABRT), "");
        EXPECT_EQ(test::read_file_text(out), c.printed);
    }
}

TEST(FatalDeathTest, RequestedExitEndsWithStatusZero) {
    test::TempDir dir;
    const std::string path = dir / "game_log.txt";
    EXPECT_EXIT(
        {
            log_file().close();
            log_file().open(WidePath(path.c_str()));
            fatal_requested_exit(SharedString("Out of lives."));
        },
        ::testing::ExitedWithCode(0), "Error: Out of lives.");
    EXPECT_EQ(test::read_file_text(path), "Out of lives.\n") << "the log is complete at exit";
}

}  // namespace
}  // namespace tarn
