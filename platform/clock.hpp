#pragma once

#include <cstdint>

namespace tarn::platform {

// A monotonic tick count for measuring intervals; unaffected by changes to the wall clock.
std::uint64_t performance_counter();

// Ticks of performance_counter() per second.
std::uint64_t performance_frequency();

}  // namespace tarn::platform
