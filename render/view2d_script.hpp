#pragma once

#include <squirrel.h>

namespace tarn {

// Registers the View2d script class in the root table.
void register_view2d_class(HSQUIRRELVM vm);

}  // namespace tarn
