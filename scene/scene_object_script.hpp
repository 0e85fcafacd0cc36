#pragma once

#include <squirrel.h>

namespace tarn {

// Registers the SceneObject script class in the root table (after Scene and EngineObject).
void register_scene_object_class(HSQUIRRELVM vm);

}  // namespace tarn
