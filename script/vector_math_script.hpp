#pragma once

#include <squirrel.h>

namespace tarn {

// Registers the global vector and quaternion functions (vec2, vec3_add, quaternion, ...) in the
// root table.
void register_vector_math(HSQUIRRELVM vm);

}  // namespace tarn
