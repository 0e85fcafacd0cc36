#pragma once

#include <squirrel.h>

namespace tarn {

// Registers the Time script class in the root table.
void register_time_class(HSQUIRRELVM vm);

}  // namespace tarn
