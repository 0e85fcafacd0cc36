#include "platform/file_system.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform_test_support.hpp"

namespace tarn::platform {
namespace {

// Game data as authored on Windows.
class PlatformFileSystem : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"Data/Fonts/Big.FNT", "Data/Ünïcode.txt", "Data/ΟΔΟΣ",
                                 "Data/\xff.bin", "Data/readme.TXT", "Data/README.txt"}) {
            test::write_file(root_ / name, "data");
        }
    }
    std::string resolve(const std::string& relative) { return resolve_path(root_ / relative); }

    test::TempDir root_;
};

TEST_F(PlatformFileSystem, FindsEachComponentIgnoringCase) {
    EXPECT_EQ(resolve("data/fonts/big.fnt"), root_ / "Data/Fonts/Big.FNT");
    EXPECT_EQ(resolve("data//./fonts/../FONTS/"), root_ / "Data/Fonts/../Fonts/");
    EXPECT_EQ(resolve("Data//./Fonts"), root_ / "Data//./Fonts");  // exists: untouched
    // Missing components are kept, so new files land in the existing folder.
    EXPECT_EQ(resolve("DATA/New/File.txt"), root_ / "Data/New/File.txt");

    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(root_ / "Data");
    EXPECT_EQ(resolve_path("./FONTS/big.fnt"), "Fonts/Big.FNT");
    EXPECT_EQ(resolve_path("../DATA/Fonts"), "../Data/Fonts");
    std::filesystem::current_path(previous);
}

// Final sigma matches capital sigma only through its upper case form; bytes that are not UTF-8
// match only themselves. Among several matches, the exact one wins, then byte order.
TEST_F(PlatformFileSystem, FoldsUnicodeAndChoosesDeterministically) {
    EXPECT_EQ(resolve("DATA/ÜNÏCODE.txt"), root_ / "Data/Ünïcode.txt");
    EXPECT_EQ(resolve("Data/οδος"), root_ / "Data/ΟΔΟΣ");
    EXPECT_EQ(resolve("Data/\xff.BIN"), root_ / "Data/\xff.bin");
    EXPECT_EQ(resolve("Data/\xfe.bin"), root_ / "Data/\xfe.bin");
    EXPECT_EQ(resolve("Data/readme.TXT"), root_ / "Data/readme.TXT");
    EXPECT_EQ(resolve("Data/readme.txt"), root_ / "Data/README.txt");
}

TEST_F(PlatformFileSystem, OpensAndCreatesThroughResolvedPaths) {
    std::FILE* font = open_file(root_ / "DATA/FONTS/big.fnt", "rb");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(std::fgetc(font), 'd');
    std::fclose(font);

    // Folders are created where the existing ones are, whatever their spelling; the last
    // component is the file's name and is not created, nor is anything below a file.
    create_parent_directories(root_ / "DATA/Saves/slot.txt");
    EXPECT_TRUE(std::filesystem::is_directory(root_ / "Data/Saves"));
    EXPECT_FALSE(std::filesystem::exists(root_ / "Data/Saves/slot.txt"));
    create_parent_directories(root_ / "data/SAVES/New/Deeper/slot.txt");
    EXPECT_TRUE(std::filesystem::is_directory(root_ / "Data/Saves/New/Deeper"));
    EXPECT_FALSE(std::filesystem::exists(root_ / "DATA"));
    create_parent_directories(root_ / "data/fonts/big.fnt/inside/slot.txt");
    EXPECT_TRUE(std::filesystem::is_regular_file(root_ / "Data/Fonts/Big.FNT"));
}

}  // namespace
}  // namespace tarn::platform
