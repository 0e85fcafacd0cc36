#include "resources/texture_format.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/log_capture.hpp"

namespace tarn {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct FormatCase {
    const char* setting;
    const char* iphone_format;
    bool to_16bit;
    bool use_5551;
};

TEST(TextureFormat, SettingChoosesThePixelStorage) {
    const FormatCase cases[] = {
        {"", "16", false, false},       {"32", "16", false, false},
        {"16", "32", true, false},      {"565", "", true, false},
        {"4444", "", true, false},      {"5551", "", true, true},
        {"iphone", "16", true, false},  {"iphone", "5551", true, true},
        {"iphone", "32", false, false}, {"iphone", "", false, false},
    };
    test::LogCapture log;
    for (const FormatCase& c : cases) {
        const TextureFormatChoice choice =
            choose_texture_format(SharedString(c.setting), SharedString(c.iphone_format));
        EXPECT_EQ(choice.to_16bit, c.to_16bit) << c.setting << " / " << c.iphone_format;
        EXPECT_EQ(choice.use_5551, c.use_5551) << c.setting << " / " << c.iphone_format;
    }
    EXPECT_THAT(log.lines(), IsEmpty());
}

TEST(TextureFormat, UnknownValuesKeepEightBitsAndSaySo) {
    test::LogCapture log;
    for (const char* setting : {"24", "IPHONE", " 16"}) {
        const TextureFormatChoice choice =
            choose_texture_format(SharedString(setting), SharedString("16"));
        EXPECT_FALSE(choice.to_16bit) << setting;
    }
    // The def's own value is checked the same way, and never refers back to "iphone".
    EXPECT_FALSE(choose_texture_format(SharedString("iphone"), SharedString("iphone")).to_16bit);
    EXPECT_THAT(log.lines(),
                ElementsAre("Invalid textures_format cvar.", "Invalid textures_format cvar.",
                            "Invalid textures_format cvar.", "Invalid textures_format cvar."));
}

}  // namespace
}  // namespace tarn
