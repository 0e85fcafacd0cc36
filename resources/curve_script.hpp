#pragma once

#include <squirrel.h>

namespace tarn {

// Registers the Curve script class (constructor, create, get_duration, get_key_count,
// get_channel_count, evaluate_float) in the root table.
void register_curve_class(HSQUIRRELVM vm);

}  // namespace tarn
