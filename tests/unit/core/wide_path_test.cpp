#include "core/wide_path.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/temp_dir.hpp"

namespace tarn {
namespace {

std::string utf8(const WidePath& path) {
    const SharedString s = path.to_utf8();
    return std::string(s.data(), s.length());
}

std::string normalised(const char* text) {
    return utf8(WidePath(text));
}

TEST(WidePath, NormalisesSeparators) {
    EXPECT_EQ(normalised("data/fonts/big.fnt"), "data\\fonts\\big.fnt");
    EXPECT_EQ(normalised("name\\\\\\"), "name");
    EXPECT_EQ(normalised("name///"), "name");
    EXPECT_EQ(normalised("\\"), "\\");
    EXPECT_EQ(normalised("/"), "\\");
    EXPECT_EQ(normalised("\\\\server\\share\\"), "\\\\server\\share");
    EXPECT_EQ(normalised("\\\\\\\\"), "\\\\") << "separators only: the network prefix stays";
    EXPECT_EQ(normalised(""), "");
}

TEST(WidePath, JoinsWithOneSeparator) {
    EXPECT_EQ(utf8(join(WidePath("data"), WidePath("fonts/big.fnt"))), "data\\fonts\\big.fnt");
    EXPECT_EQ(utf8(join(WidePath("data\\"), WidePath("a"))), "data\\a");
    EXPECT_EQ(utf8(join(WidePath("\\"), WidePath("a"))), "\\a");
    EXPECT_EQ(utf8(join(WidePath(""), WidePath("a"))), "a");
    EXPECT_EQ(utf8(join(WidePath("data"), WidePath(""))), "data");
}

TEST(WidePath, NativeFormUsesSlashes) {
    EXPECT_EQ(WidePath("/home/me\\Docs/file.txt").native(), "/home/me/Docs/file.txt");
    EXPECT_EQ(WidePath("caf\xC3\xA9\\x").native(), "caf\xC3\xA9/x");
}

class WidePathExpansion : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("XDG_DOCUMENTS_DIR");
        saved_ = old ? std::optional<std::string>(old) : std::nullopt;
        setenv("XDG_DOCUMENTS_DIR", documents_().c_str(), 1);
    }
    void TearDown() override {
        if (saved_) {
            setenv("XDG_DOCUMENTS_DIR", saved_->c_str(), 1);
        } else {
            unsetenv("XDG_DOCUMENTS_DIR");
        }
    }
    std::string documents_() const { return home_ / "Documents"; }

    test::TempDir home_;
    std::optional<std::string> saved_;
};

TEST_F(WidePathExpansion, ExpandsUserAndRootPrefixes) {
    EXPECT_EQ(expand(WidePath("user:My Game")).native(), documents_() + "/My Game");
    EXPECT_EQ(utf8(expand(WidePath("root:saves"))), "saves");
    EXPECT_EQ(utf8(expand(WidePath("C:/games"))), "C:\\games");
    EXPECT_EQ(utf8(expand(WidePath("plain/path"))), "plain\\path");
    EXPECT_EQ(save_file_path(SharedString("user:My Game"), "game_log.txt").native(),
              documents_() + "/My Game/game_log.txt");
    EXPECT_TRUE(std::filesystem::is_directory(documents_())) << "the folder is created";
}

TEST(WidePath, CreateDirectoriesMakesEveryParentButNotTheFile) {
    test::TempDir dir;
    const WidePath file(join(WidePath((dir / "a").c_str()), WidePath("b/c/file.txt")));
    create_directories(file);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "a/b/c"));
    EXPECT_FALSE(std::filesystem::exists(dir / "a/b/c/file.txt"));
}

}  // namespace
}  // namespace tarn
