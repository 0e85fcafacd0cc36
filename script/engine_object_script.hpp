#pragma once

#include <squirrel.h>

namespace tarn {

// Registers the EngineObject script class in the root table.
void register_engine_object_class(HSQUIRRELVM vm);

}  // namespace tarn
