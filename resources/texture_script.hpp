#pragma once

#include <squirrel.h>

namespace tarn {

// Registers the Texture script class (constructor, create, find, load) in the root table.
void register_texture_class(HSQUIRRELVM vm);

}  // namespace tarn
