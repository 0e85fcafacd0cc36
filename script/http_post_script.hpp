#pragma once

#include <squirrel.h>

namespace tarn {

// Registers the HTTPPost script class in the root table.
void register_http_post_class(HSQUIRRELVM vm);

}  // namespace tarn
