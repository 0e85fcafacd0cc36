#pragma once

#include <squirrel.h>

namespace tarn {

// Registers the Scene script class in the root table.
void register_scene_class(HSQUIRRELVM vm);

}  // namespace tarn
