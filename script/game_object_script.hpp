#pragma once

#include <squirrel.h>

namespace tarn {

// Registers the GameObject script class in the root table.
void register_game_object_class(HSQUIRRELVM vm);

}  // namespace tarn
