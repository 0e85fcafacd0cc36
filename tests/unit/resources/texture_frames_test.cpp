#include "resources/texture_frames.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarn {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(TextureFrames, FrameSizeCutsWholeFramesRowByRow) {
    std::vector<ImageFrame> frames;
    ASSERT_TRUE(frames_by_size(100, 70, 32, 32, frames));
    // 3 columns, 2 rows; the rest of the picture stays unused.
    EXPECT_THAT(frames, ElementsAre(ImageFrame{0, 0, 32, 32}, ImageFrame{32, 0, 32, 32},
                                    ImageFrame{64, 0, 32, 32}, ImageFrame{0, 32, 32, 32},
                                    ImageFrame{32, 32, 32, 32}, ImageFrame{64, 32, 32, 32}));
}

TEST(TextureFrames, FrameSizeAppendsToWhatIsThere) {
    std::vector<ImageFrame> frames = {ImageFrame{1, 2, 3, 4}};
    ASSERT_TRUE(frames_by_size(20, 10, 10, 10, frames));
    EXPECT_THAT(frames, ElementsAre(ImageFrame{1, 2, 3, 4}, ImageFrame{0, 0, 10, 10},
                                    ImageFrame{10, 0, 10, 10}));
}

TEST(TextureFrames, FrameSizeWithASideNotPositiveMakesNoFrames) {
    std::vector<ImageFrame> frames;
    EXPECT_TRUE(frames_by_size(100, 70, 0, 10, frames));
    EXPECT_TRUE(frames_by_size(100, 70, 10, -5, frames));
    EXPECT_TRUE(frames_by_size(100, 70, std::nanf(""), 10, frames));
    EXPECT_TRUE(frames_by_size(100, 70, 200, 10, frames));  // wider than the picture
    EXPECT_THAT(frames, IsEmpty());
}

TEST(TextureFrames, GridSplitsThePictureWithoutRounding) {
    std::vector<ImageFrame> frames;
    ASSERT_TRUE(frames_by_grid(100, 70, 3, 2, frames));
    ASSERT_EQ(frames.size(), 6u);
    const float w = 100.0f / 3.0f;
    EXPECT_FLOAT_EQ(frames[1].x, w);
    EXPECT_FLOAT_EQ(frames[1].w, w);
    EXPECT_FLOAT_EQ(frames[1].h, 35.0f);
    EXPECT_FLOAT_EQ(frames[5].x, 2 * w);
    EXPECT_FLOAT_EQ(frames[5].y, 35.0f);
}

TEST(TextureFrames, GridNeedsBothCountsPositive) {
    std::vector<ImageFrame> frames;
    EXPECT_TRUE(frames_by_grid(100, 70, 0, 2, frames));
    EXPECT_TRUE(frames_by_grid(100, 70, 3, -1, frames));
    EXPECT_THAT(frames, IsEmpty());
}

TEST(TextureFrames, AbsurdGridsAreRefusedInsteadOfFillingMemory) {
    std::vector<ImageFrame> frames;
    EXPECT_FALSE(frames_by_size(2048, 2048, 0.001f, 0.001f, frames));
    EXPECT_FALSE(frames_by_grid(100, 100, 1000000, 1000000, frames));
    EXPECT_FALSE(frames_by_grid(100, 100, kMaxTextureFrames + 1, 1, frames));
    EXPECT_THAT(frames, IsEmpty());
    // The largest allowed grid is still made.
    EXPECT_TRUE(frames_by_grid(256, 256, 256, 256, frames));
    EXPECT_EQ(frames.size(), static_cast<size_t>(kMaxTextureFrames));
}

}  // namespace
}  // namespace tarn
