#include "core/cvar_config_line.hpp"

#include <gtest/gtest.h>

#include <string>

#include "core/cvar_list.hpp"

namespace tarn {
namespace {

std::string str(const SharedString& s) {
    return std::string(s.data(), s.length());
}

SharedString shared(const std::string& s) {
    return SharedString(s.data(), static_cast<int>(s.size()));
}

// Whatever a game or a player puts in a name or a value comes back exactly, as one setting: a
// line break, a quote or an '=' must not end it or start another.
TEST(CVarConfigLine, EverySettingReadsBackExactlyAsOneSetting) {
    const std::pair<std::string, std::string> settings[] = {
        {"name", "Player \"One\""},
        {"note", "line one\nnext = \"injected\""},
        {"note", "a\rb\r\nc\n"},
        {"note", "\"quoted\""},
        {"note", "%\"x\""},
        {"note", "100% = all"},
        {"note", "%0A is not a line break"},
        {"note", ""},
        {"note", "\""},
        {"note", std::string("nul\0byte", 8)},
        {"note", "  blanks around  "},
        {"a=b", "v"},
        {"key = \"x\"\nother", "v\n"},
        {" padded\t", "v"},
        {"odd%1name", "%2"},
        {"%41", "%\"%41\""},
        {"tab\tinside", "x"},
    };
    for (const auto& [name, value] : settings) {
        CVarList saved;
        saved.set_string(name.c_str(), shared(value));
        const std::string text = str(saved.config_text());
        EXPECT_EQ(text.find_first_of("\r\n"), text.size() - 2) << "one line: " << text;

        CVarList loaded;
        loaded.apply_config_text(text.data(), text.size(), false);
        ASSERT_EQ(loaded.all().size(), 1u) << text;
        EXPECT_EQ(str(loaded.all()[0]->name()), name) << text;
        EXPECT_EQ(str(loaded.all()[0]->value()), value) << text;
    }
}

// Lines written by earlier versions and by hand read as they always did, including those that
// look like the escaped form but are not valid in it.
TEST(CVarConfigLine, EarlierAndHandWrittenLinesReadAsBefore) {
    const struct {
        const char* line;
        const char* name;
        const char* value;
    } cases[] = {
        {"name = \"Player \"One\"\"", "name", "Player \"One\""},
        {"video_mode = 320 240 0", "video_mode", "320 240 0"},
        {"100% = \"%41\"", "100%", "%41"},
        {"a = %\"x", "a", "%\"x"},
        {"a = %\"", "a", "%\""},
        {"a = %\"bad %zz\"", "a", "%\"bad %zz\""},
        {"a%4 = %\"x\"", "a%4", "%\"x\""},
        {"  spaced  =  %\"a%0a%3D\"  ", "spaced", "a\n="},
        {"a%3Db = %\"v\"", "a=b", "v"},
    };
    for (const auto& c : cases) {
        SharedString name, value;
        ASSERT_TRUE(parse_config_line(c.line, name, value)) << c.line;
        EXPECT_EQ(str(name), c.name) << c.line;
        EXPECT_EQ(str(value), c.value) << c.line;
    }
    SharedString name, value;
    EXPECT_FALSE(parse_config_line("no equals sign", name, value));
    EXPECT_FALSE(parse_config_line("  = %\"x\"", name, value));
    // A name holding a NUL byte, written raw or escaped, could only be kept cut short.
    using namespace std::string_view_literals;
    EXPECT_FALSE(parse_config_line("music_v\x01\0ume = \"1\""sv, name, value));
    EXPECT_FALSE(parse_config_line("music%00volume = %\"1\"", name, value));
}

}  // namespace
}  // namespace tarn
