#include "platform/documents_folder.hpp"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform_test_support.hpp"

namespace tarn::platform {
namespace {

using test::ScopedEnv;

// A private home and configuration folder, so the user's real folders are never touched.
class PlatformDocumentsFolder : public ::testing::Test {
protected:
    void user_dirs(const std::string& content) {
        test::write_file(root_ / "config/user-dirs.dirs", content);
    }

    test::TempDir root_;
    std::string home_ = root_ / "home";
    ScopedEnv home_env_{"HOME", home_};
    ScopedEnv config_env_{"XDG_CONFIG_HOME", root_ / "config"};
    ScopedEnv documents_env_{"XDG_DOCUMENTS_DIR", std::nullopt};
};

TEST_F(PlatformDocumentsFolder, CreatesTheFolderTheDesktopNames) {
    EXPECT_EQ(documents_folder(), home_ + "/Documents");
    EXPECT_TRUE(std::filesystem::is_directory(home_ + "/Documents"));

    // The last valid entry wins, as when the shell sources the file.
    user_dirs(
        "# written by xdg-user-dirs-update\n"
        "XDG_DOCUMENTS_DIR=\"$HOME/Old\"\n"
        "  XDG_DOCUMENTS_DIR = \"$HOME/My \\\"Docs\\\"/Nested/\"\n"
        "XDG_DOCUMENTS_DIR_EXTRA=\"$HOME/Wrong\"\n"
        "XDG_DOCUMENTS_DIR=\"relative/path\"\n"
        "XDG_DOCUMENTS_DIR=\"$HOMEWORK/x\"\n"
        "XDG_DOCUMENTS_DIR=\"$HOME/unterminated\n");
    EXPECT_EQ(documents_folder(), home_ + "/My \"Docs\"/Nested");
    EXPECT_TRUE(std::filesystem::is_directory(home_ + "/My \"Docs\"/Nested"));

    user_dirs("XDG_DOCUMENTS_DIR=\"" + root_ / "elsewhere" + "\"\n");
    EXPECT_EQ(documents_folder(), root_ / "elsewhere");

    ScopedEnv documents("XDG_DOCUMENTS_DIR", root_ / "from env/");
    EXPECT_EQ(documents_folder(), root_ / "from env");

    ScopedEnv under_a_file("XDG_DOCUMENTS_DIR", root_ / "config/user-dirs.dirs/Documents");
    EXPECT_EQ(documents_folder(), std::nullopt);
}

// With the entry "$HOME", nothing is created in the real home.
TEST_F(PlatformDocumentsFolder, FindsHomeInThePasswordDatabaseWhenHomeIsUnset) {
    const passwd* user = getpwuid(getuid());
    ASSERT_NE(user, nullptr);
    ScopedEnv home("HOME", std::nullopt);
    user_dirs("XDG_DOCUMENTS_DIR=\"$HOME\"\n");
    EXPECT_EQ(documents_folder(), std::string(user->pw_dir));
}

}  // namespace
}  // namespace tarn::platform
