#include "core/platform_state.hpp"

namespace tarn {

std::int32_t Platform::read_clock(std::uint32_t ticks) {
    now_ms = clock_elapsed(ticks);
    return now_ms;
}

std::int32_t Platform::clock_elapsed(std::uint32_t ticks) {
    if (start_ms == 0)
        start_ms = ticks;
    return static_cast<std::int32_t>(ticks - start_ms);
}

void Platform::clear_frame_input() {
    mouse_dx = 0.0f;
    mouse_dy = 0.0f;
    for (std::uint8_t& key : keys)
        key &= ~(kKeyPressed | kKeyReleased);
}

}  // namespace tarn
