#include "core/platform_state.hpp"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(PlatformClock, ReadsCountFromTheFirstRead) {
    Platform p;
    EXPECT_EQ(p.read_clock(5000), 0);
    EXPECT_EQ(p.read_clock(5250), 250);
    EXPECT_EQ(p.now_ms, 250);
}

TEST(PlatformClock, ElapsedTimeDoesNotMoveTheFrameClock) {
    Platform p;
    p.read_clock(1000);
    p.read_clock(1100);
    EXPECT_EQ(p.clock_elapsed(1400), 400);
    EXPECT_EQ(p.now_ms, 100) << "frame timing must not see the script's reading";
    EXPECT_EQ(p.read_clock(1200), 200);
}

TEST(PlatformClock, ElapsedTimeStartsTheClockWhenNothingDidYet) {
    Platform p;
    EXPECT_EQ(p.clock_elapsed(3000), 0);
    EXPECT_EQ(p.clock_elapsed(3040), 40);
    EXPECT_EQ(p.read_clock(3100), 100);
}

}  // namespace
}  // namespace tarn
