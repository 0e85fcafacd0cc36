#pragma once

#include <squirrel.h>

#include <span>

#include "script/binding.hpp"

namespace tarn {

// The System table's function groups that need no subsystem above the script host, in their
// order in the table. Scripts and messages.
std::span<const NativeFunction> system_script_functions();
// Keys, mouse, touches and the joystick.
std::span<const NativeFunction> system_input_functions();
// Time, frames and the process.
std::span<const NativeFunction> system_time_functions();
// Conversions between turns, degrees and radians.
std::span<const NativeFunction> system_rotation_functions();
// Configuration variables.
std::span<const NativeFunction> system_config_functions();
// Platform services and text conversions.
std::span<const NativeFunction> system_platform_functions();

// The concatenated string forms of the arguments from index first to the top of the stack.
SharedString concatenate_arguments(HSQUIRRELVM vm, SQInteger first);

}  // namespace tarn
