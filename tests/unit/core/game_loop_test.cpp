#include "core/game_loop.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace tarn {
namespace {

// A clock that advances only when slept on, or by the step the test gives it.
class FakeClock : public FrameClock {
public:
    std::int32_t read() override { return now; }
    void sleep(std::uint32_t milliseconds) override {
        sleeps.push_back(milliseconds);
        now += static_cast<std::int32_t>(milliseconds);
    }

    std::int32_t now = 0;
    std::vector<std::uint32_t> sleeps;
};

TEST(GameLoop, LongFramesAreClampedButCountFullyForFps) {
    GameLoop loop;
    FakeClock clock;
    clock.now = 250;
    EXPECT_EQ(loop.time_frame(clock, 0), 250);
    EXPECT_FLOAT_EQ(loop.dt, 0.1f);
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_FLOAT_EQ(loop.fps_time, 0.25f);
    EXPECT_FLOAT_EQ(loop.fps, 0.0f) << "no fps before half a second has been counted";
}

TEST(GameLoop, FpsChangesOnlyAfterMoreThanHalfASecond) {
    GameLoop loop;
    for (int i = 0; i < 8; ++i)
        loop.count_frame(0.0625f);
    EXPECT_FLOAT_EQ(loop.fps, 0.0f) << "exactly 0.5 s is not more than 0.5 s";
    loop.count_frame(0.0625f);
    EXPECT_FLOAT_EQ(loop.fps, 16.0f);
    EXPECT_FLOAT_EQ(loop.fps_time, 0.0f);
    EXPECT_FLOAT_EQ(loop.fps_frames, 0.0f);
}

TEST(GameLoop, ShortFramesSleepUntilTheMinimumHasPassed) {
    GameLoop loop;
    loop.min_frame_time = 0.010f;
    FakeClock clock;
    clock.now = 1003;
    EXPECT_EQ(loop.time_frame(clock, 1000), 1010);
    // The missing time is truncated to whole milliseconds, so 6.99 ms sleeps 6 and then 1.
    EXPECT_EQ(clock.sleeps, (std::vector<std::uint32_t>{6, 1}));
    EXPECT_FLOAT_EQ(loop.dt, 0.010f);
}

TEST(GameLoop, AFrameWithinOneMillisecondSleepsUntilTheNext) {
    GameLoop loop;
    FakeClock clock;
    clock.now = 500;
    EXPECT_EQ(loop.time_frame(clock, 500), 501);
    EXPECT_EQ(clock.sleeps, (std::vector<std::uint32_t>{1}));
}

TEST(GameLoop, ClockWrapIsMeasuredAsUnsignedDifference) {
    GameLoop loop;
    FakeClock clock;
    clock.now = INT32_MIN + 4;
    loop.time_frame(clock, INT32_MAX - 5);
    EXPECT_FLOAT_EQ(loop.dt, 0.010f);
}

}  // namespace
}  // namespace tarn
