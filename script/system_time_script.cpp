// System functions of time, frames and the process.
#include <cstdint>
#include <span>

#include "core/game_loop.hpp"
#include "core/platform_state.hpp"
#include "core/random.hpp"
#include "platform/clock.hpp"
#include "platform/window.hpp"
#include "script/binding.hpp"
#include "script/system_api.hpp"

namespace tarn {

namespace {

// Whole milliseconds of a sleep; negative (and NaN) sleeps are skipped, huge ones capped.
std::uint32_t sleep_milliseconds(float seconds) {
    constexpr float kLongest = 4294967.0f;  // seconds that still fit in 32-bit milliseconds
    if (!(seconds >= 0.0f))
        return 0;
    return static_cast<std::uint32_t>((seconds < kLongest ? seconds : kLongest) * 1000.0f);
}

SQInteger sleep(HSQUIRRELVM vm) {
    float seconds = 0.0f;
    if (!read_float(vm, 2, seconds))
        return SQ_ERROR;
    if (const std::uint32_t ms = sleep_milliseconds(seconds); ms > 0)
        platform::delay(ms);
    return 0;
}

SQInteger get_fps(HSQUIRRELVM vm) {
    push_value(vm, game_loop().fps);
    return 1;
}

SQInteger get_system_milliseconds(HSQUIRRELVM vm) {
    push_value(vm, platform_state().clock_elapsed(platform::tick_count()));
    return 1;
}

// Raw counter ticks, cut to 32 bits as a signed integer.
SQInteger get_system_profile_time(HSQUIRRELVM vm) {
    const auto low = static_cast<std::uint32_t>(platform::performance_counter());
    push_value(vm, static_cast<std::int32_t>(low));
    return 1;
}

SQInteger request_quit(HSQUIRRELVM) {
    platform_state().quit_requested = true;
    return 0;
}

SQInteger is_application_active(HSQUIRRELVM vm) {
    push_value(vm, platform::application_active());
    return 1;
}

SQInteger get_random_float(HSQUIRRELVM vm) {
    push_value(vm, random_unit());
    return 1;
}

constexpr NativeFunction kTimeFunctions[] = {
    // The seconds are left to the float reader ("Expecting float.") rather than the VM's check.
    {"sleep", sleep, 2, ".."},
    {"get_fps", get_fps, 1, "."},
    {"get_system_milliseconds", get_system_milliseconds, 1, "."},
    {"get_system_profile_time", get_system_profile_time, 1, "."},
    {"request_quit", request_quit, 1, "."},
    {"is_application_active", is_application_active, 1, "."},
    {"get_random_float", get_random_float, 1, "."},
};

}  // namespace

std::span<const NativeFunction> system_time_functions() {
    return kTimeFunctions;
}

}  // namespace tarn
