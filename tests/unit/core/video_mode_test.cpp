#include "core/video_mode.hpp"

#include <gtest/gtest.h>

namespace tarn {
namespace {

void expect_mode(const char* text, int width, int height, bool fullscreen) {
    const VideoMode mode = parse_video_mode(SharedString(text));
    EXPECT_EQ(mode.width, width) << text;
    EXPECT_EQ(mode.height, height) << text;
    EXPECT_EQ(mode.fullscreen, fullscreen) << text;
}

TEST(VideoMode, MissingPartsTakeTheirDefaults) {
    expect_mode("1024 768 1", 1024, 768, true);
    expect_mode("800 600", 800, 600, false);
    expect_mode("1280", 1280, 768, false);
    expect_mode("", 1024, 768, false);
    expect_mode("  640   480  0 ", 640, 480, false);
    expect_mode("abc 480 yes", 0, 480, false);
}

TEST(VideoMode, OrientationsOutsideTheRangeCountAsUpright) {
    EXPECT_EQ(valid_orientation(5), 0);
    EXPECT_EQ(valid_orientation(-1), 0);
    EXPECT_EQ(valid_orientation(3), 3);
    EXPECT_FALSE(swaps_axes(1));
    EXPECT_TRUE(swaps_axes(2));
    EXPECT_TRUE(swaps_axes(3));
}

}  // namespace
}  // namespace tarn
