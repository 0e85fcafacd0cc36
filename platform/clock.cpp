#include "platform/clock.hpp"

#include <SDL.h>
#include <time.h>

namespace tarn::platform {

namespace {
constexpr std::uint64_t nanoseconds_per_second = 1'000'000'000;
}

std::uint64_t performance_counter() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * nanoseconds_per_second +
           static_cast<std::uint64_t>(now.tv_nsec);
}

std::uint64_t performance_frequency() {
    return nanoseconds_per_second;
}

std::uint32_t tick_count() {
    return SDL_GetTicks();
}

void delay(std::uint32_t milliseconds) {
    SDL_Delay(milliseconds);
}

}  // namespace tarn::platform
