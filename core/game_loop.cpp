#include "core/game_loop.hpp"

#include <algorithm>

namespace tarn {

namespace {

// Seconds between two clock values, taken as an unsigned 32-bit difference.
float seconds_between(std::int32_t from, std::int32_t to) {
    const std::uint32_t milliseconds =
        static_cast<std::uint32_t>(to) - static_cast<std::uint32_t>(from);
    return static_cast<float>(milliseconds) * 0.001f;
}

}  // namespace

std::int32_t GameLoop::time_frame(FrameClock& clock, std::int32_t previous_ms) {
    std::int32_t now = clock.read();
    float elapsed = seconds_between(previous_ms, now);
    while (elapsed < min_frame_time) {
        clock.sleep(static_cast<std::uint32_t>((min_frame_time - elapsed) * 1000.0f));
        const std::int32_t later = clock.read();
        elapsed += seconds_between(now, later);
        now = later;
    }
    count_frame(elapsed);
    return now;
}

void GameLoop::count_frame(float elapsed) {
    dt = std::min(elapsed, max_dt);
    fps_time += elapsed;
    fps_frames += 1.0f;
    if (fps_time > 0.5f) {
        fps = fps_frames / fps_time;
        fps_frames = 0.0f;
        fps_time = 0.0f;
    }
}

}  // namespace tarn
