#include "core/os_services.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "support/log_capture.hpp"
#include "support/temp_dir.hpp"

namespace tarn {
namespace {

using ::testing::ElementsAre;

// Sets an environment variable for the lifetime of the guard.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name))
            saved_ = old;
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (saved_) {
            setenv(name_, saved_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> saved_;
};

TEST(OsServices, DocumentsFolderFollowsTheUserDirsFile) {
    test::TempDir home;
    test::write_file(home / ".config/user-dirs.dirs",
                     "# written by xdg-user-dirs-update\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    ScopedEnv home_env("HOME", home.path().string());
    ScopedEnv config_env("XDG_CONFIG_HOME", std::nullopt);
    ScopedEnv documents_env("XDG_DOCUMENTS_DIR", std::nullopt);
    EXPECT_EQ(my_documents().native(), home / "Dokumente");
}

TEST(OsServices, DocumentsFolderFailureIsLogged) {
    test::LogCapture log;
    test::TempDir home;
    test::write_file(home / "blocker", "a file where the folder should be");
    ScopedEnv documents_env("XDG_DOCUMENTS_DIR", home / "blocker/Documents");
    EXPECT_TRUE(my_documents().empty());
    EXPECT_THAT(log.lines(), ElementsAre("Failed to obtain My Documents directory."));
}

class OpenUrl : public ::testing::Test {
protected:
    // A stand-in xdg-open that records its argument and accepts only http URLs.
    void SetUp() override {
        const std::string script = bin_ / "xdg-open";
        test::write_file(script, "#!/bin/sh\nprintf '%s' \"$1\" > \"" + bin_ / "opened" +
                                     "\"\ncase \"$1\" in http*) exit 0;; *) exit 4;; esac\n");
        chmod(script.c_str(), 0755);
        path_.emplace("PATH", bin_.path().string() + ":" + std::getenv("PATH"));
    }
    std::string opened() const { return test::read_file_text(bin_ / "opened"); }

    test::TempDir bin_;
    std::optional<ScopedEnv> path_;
    test::LogCapture log_;
};

TEST_F(OpenUrl, HandsTheUrlToTheDesktopUnchanged) {
    const char* url = "http://example.com/?q=a b&x='$(touch pwned)'";
    EXPECT_TRUE(open_url(SharedString(url)));
    EXPECT_EQ(opened(), url);
    EXPECT_FALSE(std::filesystem::exists("pwned")) << "the text never reaches a shell";
    EXPECT_TRUE(log_.lines().empty());
}

TEST_F(OpenUrl, RefusedUrlIsLogged) {
    EXPECT_FALSE(open_url(SharedString("unregistered-scheme:thing")));
    EXPECT_EQ(opened(), "unregistered-scheme:thing");
    EXPECT_THAT(log_.lines(), ElementsAre("Failed to open url unregistered-scheme:thing."));
}

TEST(OsServices, ClipboardWithoutADisplayIsEmpty) {
    ScopedEnv display("DISPLAY", std::nullopt);
    EXPECT_EQ(clipboard_text().length(), 0);
}

}  // namespace
}  // namespace tarn
