#pragma once

#include <squirrel.h>

namespace tarn {

// Registers the Sound script class (constructor, create, find) in the root table.
void register_sound_class(HSQUIRRELVM vm);

}  // namespace tarn
