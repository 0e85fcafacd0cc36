// System conversions between turns (the engine's rotation unit), degrees and radians.
#include <span>

#include "script/binding.hpp"
#include "script/system_api.hpp"
#include "script/vector_math.hpp"

namespace tarn {

namespace {

template <float (*Convert)(float)>
SQInteger convert(HSQUIRRELVM vm) {
    float value = 0.0f;
    if (!read_float(vm, 2, value))
        return SQ_ERROR;
    push_value(vm, Convert(value));
    return 1;
}

constexpr NativeFunction kRotationFunctions[] = {
    {"degrees_to_rotation", convert<degrees_to_turns>, 2, ".f|i"},
    {"radians_to_rotation", convert<radians_to_turns>, 2, ".f|i"},
    {"rotation_to_radians", convert<turns_to_radians>, 2, ".f|i"},
    {"rotation_to_degrees", convert<turns_to_degrees>, 2, ".f|i"},
    {"radians_to_degrees", convert<radians_to_degrees>, 2, ".f|i"},
    {"degrees_to_radians", convert<degrees_to_radians>, 2, ".f|i"},
    {"normalize_rotation", convert<normalize_turns>, 2, ".f|i"},
};

}  // namespace

std::span<const NativeFunction> system_rotation_functions() {
    return kRotationFunctions;
}

}  // namespace tarn
