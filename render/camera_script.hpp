#pragma once

#include <squirrel.h>

namespace tarn {

// Registers the Camera script class in the root table.
void register_camera_class(HSQUIRRELVM vm);

}  // namespace tarn
