#include "platform/clock.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace tarn::platform {
namespace {

// Counter ticks divided by the frequency must give real elapsed seconds.
TEST(PlatformClock, CounterMeasuresElapsedTimeInFrequencyUnits) {
    const std::uint64_t before = performance_counter();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const double seconds =
        static_cast<double>(performance_counter() - before) / performance_frequency();
    EXPECT_GE(seconds, 0.05);
    EXPECT_LT(seconds, 5.0);
}

}  // namespace
}  // namespace tarn::platform
