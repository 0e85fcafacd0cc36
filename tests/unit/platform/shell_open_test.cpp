#include "platform/shell_open.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform_test_support.hpp"

namespace tarn::platform {
namespace {

// A fake xdg-open, alone on PATH, records its arguments and exits with the status given.
TEST(PlatformShellOpen, HandsOverUrlsAndReportsWhetherXdgOpenAcceptedThem) {
    test::TempDir bin;
    const std::string record = bin / "arguments";
    test::ScopedEnv path("PATH", bin.path().string());
    test::write_recording_script(bin / "xdg-open", record, "exit 0");
    EXPECT_FALSE(shell_open(""));
    EXPECT_FALSE(shell_open("--help"));  // would be read as an option
    EXPECT_FALSE(std::filesystem::exists(record));

    EXPECT_TRUE(shell_open("https://example.com/a b?x=1&y=$(id)"));
    EXPECT_EQ(test::read_file_text(record), "https://example.com/a b?x=1&y=$(id)\n");

    test::write_recording_script(bin / "xdg-open", record, "exit 4");
    EXPECT_FALSE(shell_open("https://example.com"));
    std::filesystem::remove(bin / "xdg-open");
    EXPECT_FALSE(shell_open("https://example.com"));
}

}  // namespace
}  // namespace tarn::platform
