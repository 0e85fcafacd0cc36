#include "core/cvar_list.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include <string>

#include "support/log_capture.hpp"
#include "support/temp_dir.hpp"

namespace tarn {
namespace {

using ::testing::ElementsAre;

std::string str(const SharedString& s) {
    return std::string(s.data(), s.length());
}

class CVarListTest : public ::testing::Test {
protected:
    void apply(const std::string& text, bool from_boot = false) {
        cvars_.apply_config_text(text.data(), text.size(), from_boot);
    }
    std::string saved() const { return str(cvars_.config_text()); }

    CVarList cvars_;
    test::LogCapture log_;
};

TEST_F(CVarListTest, EveryValueReadsAsTextIntegerAndFloat) {
    const CVar& mode = cvars_.register_string("video_mode", SharedString("1024 768 1"));
    EXPECT_EQ(mode.integer_value(), 1024);
    EXPECT_EQ(mode.float_value(), 1024.0f);

    EXPECT_EQ(cvars_.set_string("a", SharedString("letters")).integer_value(), 0);
    EXPECT_EQ(cvars_.get_float("a"), 0.0f);
    EXPECT_EQ(cvars_.set_string("b", SharedString("2.9")).integer_value(), 2);
    EXPECT_EQ(cvars_.set_string("c", SharedString("  -17x")).integer_value(), -17);
    EXPECT_EQ(cvars_.set_string("d", SharedString("99999999999")).integer_value(), INT32_MAX);

    EXPECT_EQ(str(cvars_.set_float("e", 0.1f).value()), "0.1");
    EXPECT_EQ(cvars_.get_integer("e"), 0);
    EXPECT_EQ(cvars_.set_float("f", -2.75f).integer_value(), -2);
    EXPECT_EQ(str(cvars_.set_integer("g", 7).value()), "7");
    EXPECT_EQ(cvars_.get_float("g"), 7.0f);
}

TEST_F(CVarListTest, MissingVariablesReadAsEmptyAndAreNotCreated) {
    EXPECT_EQ(str(cvars_.get_string("nothing")), "");
    EXPECT_EQ(cvars_.get_integer("nothing"), 0);
    EXPECT_EQ(cvars_.get_float("nothing"), 0.0f);
    EXPECT_EQ(cvars_.find("nothing"), nullptr);
    EXPECT_TRUE(cvars_.all().empty());
}

TEST_F(CVarListTest, DefaultsAreNeitherGivenNorSaved) {
    CVar& cvar = cvars_.register_integer("joy_y_axis", 1);
    EXPECT_EQ(cvar.integer_value(), 1);
    EXPECT_FALSE(cvar.has(CVar::kHasValue));
    EXPECT_FALSE(cvar.has(CVar::kSave));
    EXPECT_TRUE(cvar.has(CVar::kRegistered));
    EXPECT_EQ(saved(), "");
}

TEST_F(CVarListTest, SecondRegistrationIsLoggedAndIgnored) {
    cvars_.register_float("joy_threshold", 0.3f);
    const CVar& again = cvars_.register_float("joy_threshold", 0.9f);
    EXPECT_FLOAT_EQ(again.float_value(), 0.3f);
    EXPECT_THAT(log_.lines(), ElementsAre("CVar 'joy_threshold' already registered!"));
}

TEST_F(CVarListTest, FileValuesWinOverLaterDefaultsAndAreSavedAgain) {
    apply("sound_device = 3\r\n");
    const CVar& cvar = cvars_.register_integer("sound_device", -1);
    EXPECT_EQ(cvar.integer_value(), 3);
    EXPECT_EQ(saved(), "sound_device = \"3\"\r\n");
}

TEST_F(CVarListTest, BootValuesApplyButAreNotSavedUntilSetAgain) {
    cvars_.register_string("system::save_dir", SharedString("Noname Tarn Engine Game"));
    apply("system::save_dir = saves\nvideo_mode=800 600 0", true);
    EXPECT_EQ(str(cvars_.get_string("system::save_dir")), "saves");
    EXPECT_EQ(str(cvars_.get_string("video_mode")), "800 600 0");
    EXPECT_EQ(saved(), "");
    cvars_.set_string("video_mode", SharedString("640 480 0"));
    EXPECT_EQ(saved(), "video_mode = \"640 480 0\"\r\n");
}

TEST_F(CVarListTest, ParsesLinesKeysAndQuotedValues) {
    apply(
        "first = 1\rsecond=2\r\nthird\n = skipped\n"
        "quoted = \"a \"b\" c\"\n"
        "one_quote = \"\n"
        "empty =\n"
        "equals = a=b\n"
        "first = override\n"
        "last=no line end");
    EXPECT_EQ(str(cvars_.get_string("first")), "override");
    EXPECT_EQ(str(cvars_.get_string("second")), "2");
    EXPECT_EQ(cvars_.find("third"), nullptr);
    EXPECT_EQ(str(cvars_.get_string("quoted")), "a \"b\" c");
    EXPECT_EQ(str(cvars_.get_string("one_quote")), "\"");
    ASSERT_NE(cvars_.find("empty"), nullptr);
    EXPECT_EQ(str(cvars_.get_string("empty")), "");
    EXPECT_EQ(str(cvars_.get_string("equals")), "a=b");
    EXPECT_EQ(str(cvars_.get_string("last")), "no line end");
}

TEST_F(CVarListTest, SavedTextKeepsCreationOrder) {
    cvars_.set_integer("zeta", 1);
    cvars_.register_integer("unsaved", 5);
    cvars_.set_string("alpha", SharedString("x y"));
    cvars_.set_string("odd%1name", SharedString("%2"));
    EXPECT_EQ(saved(), "zeta = \"1\"\r\nalpha = \"x y\"\r\nodd%1name = \"%2\"\r\n");
}

TEST_F(CVarListTest, SaveAndLoadRoundTrip) {
    test::TempDir dir;
    const WidePath path((dir / "saves/game_config.txt").c_str());
    cvars_.set_string("name", SharedString("Player \"One\""));
    cvars_.set_float("volume", 0.5f);
    ASSERT_TRUE(cvars_.save_config(path));
    EXPECT_EQ(test::read_file_text(dir / "saves/game_config.txt"),
              "name = \"Player \"One\"\"\r\nvolume = \"0.5\"\r\n");

    CVarList reloaded;
    ASSERT_TRUE(reloaded.load_config_file(path, false));
    EXPECT_EQ(str(reloaded.get_string("name")), "Player \"One\"");
    EXPECT_EQ(reloaded.get_float("volume"), 0.5f);
}

TEST_F(CVarListTest, SavingNeverTruncatesTheOldFileInPlace) {
    test::TempDir dir;
    const std::string file = dir / "game_config.txt";
    test::write_file(file, "kept = \"1\"\r\n");
    // A second name for the old file shows whether it was overwritten or replaced whole.
    ASSERT_EQ(link(file.c_str(), (dir / "old").c_str()), 0);
    cvars_.set_integer("new", 2);
    ASSERT_TRUE(cvars_.save_config(WidePath(file.c_str())));
    EXPECT_EQ(test::read_file_text(file), "new = \"2\"\r\n");
    EXPECT_EQ(test::read_file_text(dir / "old"), "kept = \"1\"\r\n");
    EXPECT_FALSE(std::filesystem::exists(file + ".new"));
}

TEST_F(CVarListTest, UnwritableSaveDirectoryIsLogged) {
    test::TempDir dir;
    test::write_file(dir / "blocker", "a file where the folder should be");
    const std::string file = dir / "blocker/game_config.txt";
    cvars_.set_integer("new", 2);
    EXPECT_FALSE(cvars_.save_config(WidePath(file.c_str())));
    EXPECT_THAT(log_.lines(), ElementsAre("Can't open file '" + file + ".new' for writing.",
                                          "Can't open file '" + file + "' for writing.",
                                          "Error saving config to '" + file + "'."));
}

// A config that is there but cannot be read would lose its settings if the changes of one run
// replaced it; it is kept and the save is refused. A missing one is simply written.
TEST_F(CVarListTest, ConfigThatCouldNotBeReadIsNeverReplaced) {
    struct Case {
        const char* what;
        void (*make)(const std::string& file);
    };
    const Case cases[] = {
        {"too big",
         [](const std::string& file) {
             test::write_file(file, "kept = \"1\"\r\n");
             std::filesystem::resize_file(file, (64u << 20) + 1);
         }},
        {"a link to nothing",
         [](const std::string& file) { std::filesystem::create_symlink("elsewhere", file); }},
        {"a folder", [](const std::string& file) { test::write_file(file + "/keep", ""); }},
    };
    for (const Case& c : cases) {
        test::TempDir dir;
        const std::string file = dir / "game_config.txt";
        c.make(file);
        const auto before = std::filesystem::symlink_status(file);
        const std::uintmax_t size =
            std::filesystem::is_regular_file(before) ? std::filesystem::file_size(file) : 0;
        CVarList cvars;
        EXPECT_FALSE(cvars.load_config_file(WidePath(file.c_str()), false)) << c.what;
        cvars.set_integer("changed", 1);
        EXPECT_FALSE(cvars.save_config(WidePath(file.c_str()))) << c.what;
        const auto after = std::filesystem::symlink_status(file);
        EXPECT_EQ(after.type(), before.type()) << c.what;
        if (std::filesystem::is_regular_file(after)) {
            EXPECT_EQ(std::filesystem::file_size(file), size) << c.what;
        }
        const auto lines = log_.lines();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[lines.size() - 2], "Keeping '" + file + "', which could not be read.");
        EXPECT_EQ(lines.back(), "Error saving config to '" + file + "'.");
    }

    test::TempDir dir;
    const std::string missing = dir / "game_config.txt";
    EXPECT_FALSE(cvars_.load_config_file(WidePath(missing.c_str()), false));
    cvars_.set_integer("changed", 1);
    EXPECT_TRUE(cvars_.save_config(WidePath(missing.c_str())));
    EXPECT_EQ(test::read_file_text(missing), "changed = \"1\"\r\n");
}

TEST_F(CVarListTest, MissingConfigFileIsReportedByTheFileLayer) {
    test::TempDir dir;
    EXPECT_FALSE(cvars_.load_config_file(WidePath((dir / "game_config.txt").c_str()), false));
    EXPECT_EQ(log_.lines().size(), 2u);
}

}  // namespace
}  // namespace tarn
