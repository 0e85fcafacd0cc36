#pragma once

#include <squirrel.h>

namespace tarn {

// Registers every native script class in the root table, in the engine's fixed order.
void register_engine_classes(HSQUIRRELVM vm);

}  // namespace tarn
