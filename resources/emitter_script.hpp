#pragma once

#include <squirrel.h>

namespace tarn {

// Registers the Emitter2dResource script class (constructor, create) in the root table.
void register_emitter_class(HSQUIRRELVM vm);

}  // namespace tarn
