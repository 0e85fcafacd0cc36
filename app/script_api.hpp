#pragma once

#include <span>

#include "script/binding.hpp"
#include "script/script_host.hpp"

namespace tarn {

// The engine API registrations of a new VM, in order: System table, key constants, native
// classes, class tables.
std::span<const ScriptRegistration> engine_registrations();

// System functions of the video mode, orientation, clearing and counters.
std::span<const NativeFunction> system_display_functions();

}  // namespace tarn
