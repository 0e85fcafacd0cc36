#pragma once

#include <squirrel.h>

namespace tarn {

// Registers the File script class in the root table.
void register_file_class(HSQUIRRELVM vm);

}  // namespace tarn
