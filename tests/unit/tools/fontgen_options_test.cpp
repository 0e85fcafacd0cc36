#include "tools/fontgen/options.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarn::fontgen {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// The arguments every case needs, followed by the case's own.
std::vector<std::string_view> with_required(std::vector<std::string_view> extra) {
    std::vector<std::string_view> args = {"--font", "f.ttf", "--size", "32", "--out", "a.fnt"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

TEST(FontgenOptions, DefaultsAndEveryOptionRead) {
    Options options;
    std::string error;
    ASSERT_TRUE(parse_options(with_required({}), options, error)) << error;
    EXPECT_EQ(options.font_path, "f.ttf");
    EXPECT_EQ(options.pixel_size, 32);
    EXPECT_EQ(options.out_path, "a.fnt");
    EXPECT_EQ(options.codes.size(), 95u);  // printable ASCII
    EXPECT_EQ(options.codes.front(), 32);
    EXPECT_EQ(options.codes.back(), 126);
    EXPECT_EQ(options.page_width, 0);

    ASSERT_TRUE(parse_options(with_required({"--chars", "0x42-67,65,10,65535", "--padding", "3",
                                             "--spacing", "0", "--page-size", "256x128"}),
                              options, error))
        << error;
    EXPECT_THAT(options.codes, ElementsAre(10, 65, 66, 67, 65535));
    EXPECT_EQ(options.padding, 3);
    EXPECT_EQ(options.spacing, 0);
    EXPECT_EQ(options.page_width, 256);
    EXPECT_EQ(options.page_height, 128);
}

struct BadCase {
    std::vector<std::string_view> args;
    const char* error;
};

TEST(FontgenOptions, BadArgumentsAreNamedInOneLine) {
    const std::vector<std::string_view> no_font = {"--size", "32", "--out", "a.fnt"};
    const std::vector<std::string_view> no_size = {"--font", "f.ttf", "--out", "a.fnt"};
    const std::vector<std::string_view> no_out = {"--font", "f.ttf", "--size", "32"};
    const BadCase cases[] = {
        {with_required({"--size", "0"}), "--size must be a whole number from 1 to 512, not '0'"},
        {with_required({"--size", "513"}), "not '513'"},
        {with_required({"--size", "32px"}), "not '32px'"},
        {with_required({"--size", ""}), "--size must be"},
        {with_required({"--padding", "-1"}), "--padding must be a whole number from 0 to 64"},
        {with_required({"--spacing", "65"}), "--spacing must be"},
        {with_required({"--chars", "300-200"}), "'300-200' runs backwards"},
        {with_required({"--chars", "65536"}), "'65536' is not a code"},
        {with_required({"--chars", "32-0x10000"}), "'32-0x10000' is not a code"},
        {with_required({"--chars", "32-126,"}), "'' is not a code"},
        {with_required({"--chars", "-5"}), "'-5' is not a code"},
        {with_required({"--chars", "a-z"}), "'a-z' is not a code"},
        {with_required({"--page-size", "300x256"}), "powers of two up to 2048, not '300x256'"},
        {with_required({"--page-size", "4096x4096"}), "not '4096x4096'"},
        {with_required({"--page-size", "256"}), "not '256'"},
        {with_required({"--page-size", "0x0"}), "not '0x0'"},
        {with_required({"--bogus", "1"}), "unknown argument '--bogus'"},
        {with_required({"--chars"}), "--chars needs a value"},
        {no_font, "--font is missing"},
        {no_size, "--size is missing"},
        {no_out, "--out is missing"},
        {{"--font", "f.ttf", "--size", "8", "--out", "a.png"}, "must name a .fnt file"},
        {{"--font", "f.ttf", "--size", "8", "--out", ".fnt"}, "must name a .fnt file"},
    };
    for (const BadCase& c : cases) {
        Options options;
        std::string error;
        EXPECT_FALSE(parse_options(c.args, options, error)) << c.error;
        EXPECT_THAT(error, HasSubstr(c.error));
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace tarn::fontgen
