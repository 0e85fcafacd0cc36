#include "core/wide_path.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/std_file.hpp"
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

// Removes a chain of folders named "d" below `top` with the file at its bottom, through
// descriptors: removing it by path would walk the whole depth at every level.
void remove_chain(const std::string& top, const char* file) {
    int folder = open(top.c_str(), O_PATH | O_DIRECTORY);
    int depth = 0;
    for (int below; (below = openat(folder, "d", O_PATH | O_DIRECTORY)) >= 0; ++depth) {
        close(folder);
        folder = below;
    }
    unlinkat(folder, file, 0);
    for (; depth > 0; --depth) {
        const int parent = openat(folder, "..", O_PATH | O_DIRECTORY);
        close(folder);
        folder = parent;
        unlinkat(folder, "d", AT_REMOVEDIR);
    }
    close(folder);
}

// 1,900 levels, near the longest path the system accepts. Each level costs one lookup in a folder
// that is already open; looking every prefix up again from the start cost the cube of the depth
// (over a minute here), which the test's time limit catches.
TEST(WidePath, DeepPathsAreCreatedAndFoundInLinearTime) {
    // In memory when possible: on a busy disk, creating and removing this many folders can take
    // seconds of waiting for the journal, which has nothing to do with what is tested here.
    const bool in_memory = std::filesystem::is_directory("/dev/shm");
    test::TempDir dir(in_memory ? "/dev/shm" : std::filesystem::temp_directory_path());
    std::string lower, upper;
    for (int i = 0; i < 1900; ++i) {
        lower += "d/";
        upper += "D/";
    }
    create_directories(WidePath((dir / lower + "file.txt").c_str()));
    StdFile file;
    EXPECT_TRUE(file.open(WidePath((dir / upper + "FILE.txt").c_str()), StdFile::kWrite));
    EXPECT_TRUE(file.close());
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / lower + "FILE.txt"));
    remove_chain(dir.path().string(), "FILE.txt");
}

}  // namespace
}  // namespace tarn
