#pragma once

#include <squirrel.h>

namespace tarn {

// Binds the engine key codes (KEY_*, MOUSE_*, JOY_*, JOY_PAD_*, TOUCH_*) as integers in the VM's
// constant table, so that scripts compiled afterwards use them as compile-time constants.
void register_key_constants(HSQUIRRELVM vm);

}  // namespace tarn
