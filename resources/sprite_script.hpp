#pragma once

#include <squirrel.h>

namespace tarn {

// Registers the Sprite script class (constructor, create) in the root table.
void register_sprite_class(HSQUIRRELVM vm);

}  // namespace tarn
