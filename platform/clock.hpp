#pragma once

#include <cstdint>

namespace tarn::platform {

// A monotonic tick count for measuring intervals; unaffected by changes to the wall clock.
std::uint64_t performance_counter();

// Ticks of performance_counter() per second.
std::uint64_t performance_frequency();

// The window system's millisecond count since it started; wraps after about 49 days.
std::uint32_t tick_count();
// Sleeps for at least the given time.
void delay(std::uint32_t milliseconds);

}  // namespace tarn::platform
