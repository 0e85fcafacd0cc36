#include "core/joystick.hpp"

#include "core/cvar_list.hpp"
#include "core/log.hpp"
#include "core/message.hpp"

namespace tarn {

namespace {

void log_joystick(const platform::Joystick& joystick, int index) {
    log_message(message("Opened joystick %1 (%2).", index, joystick.name().c_str()));
    log_message(message("Joystick axis count: %1", joystick.axis_count()));
    log_message(message("Joystick ball count: %1", joystick.ball_count()));
    log_message(message("Joystick pad count: %1", joystick.hat_count()));
}

}  // namespace

void apply_joystick_settings(Platform& platform, const CVarList& cvars, int device_count) {
    const int index = cvars.get_integer("joy");
    platform.joy_index = index >= 0 && index < device_count ? index : 0;
    platform.joy_pad = cvars.get_integer("joy_pad");
    platform.joy_x_axis = cvars.get_integer("joy_x_axis");
    platform.joy_y_axis = cvars.get_integer("joy_y_axis");
}

void start_joystick(Platform& platform, const CVarList& cvars) {
    if (cvars.get_integer("joy_disabled") != 0)
        return;
    const int count = platform::joystick_count();
    log_message(message("Found %1 joystick(s).", count));
    if (count <= 0)
        return;
    apply_joystick_settings(platform, cvars, count);
    platform.joystick = platform::Joystick::open(platform.joy_index);
    if (!platform.joystick) {
        log_message(message("Failed to open joystick %1.", platform.joy_index));
        return;
    }
    platform.joystick_open = true;
    log_joystick(*platform.joystick, platform.joy_index);
}

void close_joystick(Platform& platform) {
    platform.joystick.reset();
    platform.joystick_open = false;
}

}  // namespace tarn
