#include "resources/font.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/singletons.hpp"
#include "resources/resource_loading.hpp"
#include "support/log_capture.hpp"
#include "support/script_vm.hpp"
#include "support/temp_dir.hpp"
#include "unit/resources/test_font.hpp"

// Fonts loaded from files the tests write into a game folder's "data"; page textures are null
// textures, which need no GL context.
namespace tarn {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

class FontResourceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static const bool created = (create_singletons(), true);
        (void)created;
    }
    void SetUp() override {
        previous_dir_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_.path());
    }
    void TearDown() override { std::filesystem::current_path(previous_dir_); }

    void write_data(const std::string& name, const std::string& text) {
        test::write_file(dir_ / ("data/" + name), text);
    }
    void define(const std::string& defs) { ASSERT_TRUE(vm_.run(defs)) << defs; }
    // Loads font name, logging into log.
    ObjectRef<Font> load(const char* name, std::vector<std::string>& log) {
        test::LogCapture capture;
        ObjectRef<Font> font(get_or_load<Font>(vm_.vm(), name));
        log = capture.lines();
        return font;
    }

    test::TempDir dir_;
    std::filesystem::path previous_dir_;
    test::ScriptVm vm_;
};

TEST_F(FontResourceTest, LoadsGlyphsAndThePageTextureNamedAfterTheFile) {
    struct Case {
        const char* def;      // of the font "big.fnt"
        const char* file;     // written into data/
        const char* texture;  // the page texture's def name
    };
    const Case cases[] = {
        {"{ file = \"fonts/big.fnt\" }", "fonts/big.fnt", "fonts/big.png"},
        {"{}", "big.fnt", "big.png"},
        {"{ file = \"\" }", "big.fnt", "big.png"},
        {"{ file = \"abc\" }", "abc", "abc"},
    };
    write_data("fonts/big.fnt", test::layout_font_text());
    write_data("big.fnt", test::layout_font_text());
    write_data("abc", test::layout_font_text());
    define(
        "foreach (name in [\"fonts/big.png\", \"big.png\", \"abc\"])"
        "  g_texture_defs[name] <- { _special_ = \"_null_\" };");
    for (const Case& c : cases) {
        define(std::string("g_font_defs[\"big.fnt\"] <- ") + c.def + ";");
        std::vector<std::string> log;
        ObjectRef<Font> font = load("big.fnt", log);
        ASSERT_TRUE(font) << c.def;
        EXPECT_THAT(log, IsEmpty());
        ASSERT_NE(font->texture(), nullptr);
        EXPECT_STREQ(font->texture()->get_def_name().data(), c.texture);
        EXPECT_EQ(font->texture(), get_or_load<Texture>(vm_.vm(), c.texture));
        EXPECT_EQ(font->glyphs().line_height, 20);
        EXPECT_EQ(font->glyphs().glyph_for('w').xadvance, 19);
    }
}

TEST_F(FontResourceTest, EveryFailureIsLoggedAndEndsWithTheFontsName) {
    struct Case {
        const char* texture_def;  // for "big.png"; null: none
        const char* file;         // data/big.fnt; null: none
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {nullptr,
         "",
         {"No def for texture 'big.png'.", "Unable to load texture 'big.png'.",
          "Error: Texture 'big.png' failed to load."}},
        {"{ _special_ = \"_null_\" }",
         nullptr,
         {"Can't open file 'data/big.fnt' for reading.", "Can't read file 'data/big.fnt'."}},
        {"{ _special_ = \"_null_\" }", "", {"Empty font file."}},
        {"{ _special_ = \"_null_\" }", "common pages=2", {"Fonts support only one texture page."}},
    };
    for (const Case& c : cases) {
        define(c.texture_def != nullptr
                   ? std::string("g_texture_defs[\"big.png\"] <- ") + c.texture_def + ";"
                   : "g_texture_defs.rawdelete(\"big.png\");");
        std::filesystem::remove(dir_ / "data/big.fnt");
        if (c.file != nullptr)
            write_data("big.fnt", c.file);
        define("g_font_defs.big <- { file = \"big.fnt\" };");
        std::vector<std::string> log;
        EXPECT_FALSE(load("big", log));
        std::vector<std::string> expected = c.log;
        expected.insert(expected.end(),
                        {"Unable to load font 'big'.", "Error: Font 'big' failed to load."});
        EXPECT_THAT(log, ElementsAreArray(expected));
    }
}

TEST_F(FontResourceTest, AFontWithoutASpaceLoadsWithAWarning) {
    write_data("plain.fnt", "common lineHeight=31 scaleW=8 scaleH=8 pages=1\nchar id=65 width=3");
    define(
        "g_texture_defs[\"plain.png\"] <- { _special_ = \"_null_\" };"
        "g_font_defs[\"plain.fnt\"] <- {};");
    std::vector<std::string> log;
    ObjectRef<Font> font = load("plain.fnt", log);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->glyphs().missing_advance, 15.0f);
    EXPECT_THAT(log, ElementsAre("Font doesn't have space character available."));
}

TEST_F(FontResourceTest, FontsJoinTheListInOrderAndLeaveIt) {
    const auto fonts = [] {
        std::vector<Font*> list;
        for (Font* f = first_font(); f != nullptr; f = f->next())
            list.push_back(f);
        return list;
    };
    std::vector<Font*> expected = fonts();
    ObjectRef<Font> a(new Font);
    ObjectRef<Font> b(new Font);
    ObjectRef<Font> c(new Font);
    expected.insert(expected.end(), {a.get(), b.get(), c.get()});
    EXPECT_EQ(fonts(), expected);
    b.reset();
    expected.erase(expected.end() - 2);
    EXPECT_EQ(fonts(), expected);
    c.reset();
    expected.pop_back();
    EXPECT_EQ(fonts(), expected);
    EXPECT_EQ(a->next(), nullptr);
}

}  // namespace
}  // namespace tarn
