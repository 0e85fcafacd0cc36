#pragma once

#include "core/platform_state.hpp"

namespace tarn {

class CVarList;

// Takes the joystick, pad and axis numbers from the settings "joy", "joy_pad", "joy_x_axis" and
// "joy_y_axis"; a joystick number outside the device_count devices becomes 0.
void apply_joystick_settings(Platform& platform, const CVarList& cvars, int device_count);

// Opens the configured joystick and enables its events, logging what was found, unless the
// setting "joy_disabled" is set. Needs the window system started.
void start_joystick(Platform& platform, const CVarList& cvars);
// Closes the joystick if one is open.
void close_joystick(Platform& platform);

}  // namespace tarn
