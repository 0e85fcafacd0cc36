#pragma once

#include <squirrel.h>

namespace tarn {

// Registers the UI script class in the root table.
void register_ui_class(HSQUIRRELVM vm);

}  // namespace tarn
