#include "core/joystick.hpp"

#include <SDL.h>

#include "core/cvar_list.hpp"
#include "core/log.hpp"
#include "core/message.hpp"

namespace tarn {

namespace {

void log_joystick(SDL_Joystick* joystick, int index) {
    const char* name = SDL_JoystickName(index);
    log_message(message("Opened joystick %1 (%2).", index, name != nullptr ? name : ""));
    log_message(message("Joystick axis count: %1", SDL_JoystickNumAxes(joystick)));
    log_message(message("Joystick ball count: %1", SDL_JoystickNumBalls(joystick)));
    log_message(message("Joystick pad count: %1", SDL_JoystickNumHats(joystick)));
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
    const int count = SDL_NumJoysticks();
    log_message(message("Found %1 joystick(s).", count));
    if (count <= 0)
        return;
    apply_joystick_settings(platform, cvars, count);
    platform.joystick = SDL_JoystickOpen(platform.joy_index);
    if (platform.joystick == nullptr) {
        log_message(message("Failed to open joystick %1.", platform.joy_index));
        return;
    }
    platform.joystick_open = true;
    log_joystick(platform.joystick, platform.joy_index);
    SDL_JoystickEventState(SDL_ENABLE);
}

void close_joystick(Platform& platform) {
    if (platform.joystick != nullptr)
        SDL_JoystickClose(platform.joystick);
    platform.joystick = nullptr;
    platform.joystick_open = false;
}

}  // namespace tarn
