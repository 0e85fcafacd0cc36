#include "platform/message_box.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "platform_test_support.hpp"

namespace tarn::platform {
namespace {

using test::ScopedEnv;

// Fake dialog programs, alone on PATH, record how they were called, so no real dialog appears.
// The variables that block dialogs are cleared for each test.
class PlatformMessageBox : public ::testing::Test {
protected:
    void install(const std::string& program) {
        // Only xmessage gets the text on stdin; the others must not wait for input.
        const std::string more = program == "xmessage" ? "/bin/cat > '" + bin_ / "input'" : "";
        test::write_recording_script(bin_ / program, record_, more);
    }
    std::string show(const std::string& caption, const std::string& text) {
        ::testing::internal::CaptureStderr();
        show_message_box(caption, text);
        return ::testing::internal::GetCapturedStderr();
    }

    test::TempDir bin_;
    std::string record_ = bin_ / "arguments";
    ScopedEnv path_{"PATH", bin_.path().string()};
    ScopedEnv display_{"DISPLAY", ":0"};
    ScopedEnv no_dialog_{"TARN_NO_DIALOG", std::nullopt};
    ScopedEnv ci_{"CI", std::nullopt};
};

// Texts starting with '-' or holding shell syntax must arrive as plain text.
TEST_F(PlatformMessageBox, PassesTheTextVerbatimToTheFirstDialogProgramFound) {
    EXPECT_EQ(show("Error", "disk full"), "Error: disk full\n");  // no program at all
    install("zenity");
    install("kdialog");
    EXPECT_EQ(show("Error", "-rf; $(boom) C:\\new"), "Error: -rf; $(boom) C:\\new\n");
    EXPECT_EQ(test::read_file_text(record_),
              "--error\n--no-markup\n--title=Error\n--text=-rf; $(boom) C:\\\\new\n");

    std::filesystem::remove(bin_ / "zenity");
    show("Oops", "-x");
    EXPECT_EQ(test::read_file_text(record_), "--title\nOops\n--error\n-x\n");

    std::filesystem::remove(bin_ / "kdialog");
    install("xmessage");
    show("Error", "-display elsewhere");
    EXPECT_EQ(test::read_file_text(record_), "-title\nError\n-center\n-file\n-\n");
    EXPECT_EQ(test::read_file_text(bin_ / "input"), "-display elsewhere\n");
}

TEST_F(PlatformMessageBox, NoDialogWithoutDisplayOrInAutomatedRuns) {
    install("zenity");
    for (auto [name, value] : {std::pair{"CI", "true"}, {"TARN_NO_DIALOG", "1"}, {"DISPLAY", ""}}) {
        ScopedEnv blocking(name, value);
        EXPECT_EQ(show("", name), std::string(name) + "\n");
    }
    ScopedEnv display("DISPLAY", std::nullopt);
    show("Error", "no display");
    EXPECT_FALSE(std::filesystem::exists(record_));
}

}  // namespace
}  // namespace tarn::platform
