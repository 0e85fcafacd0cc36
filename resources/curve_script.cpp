#include "resources/curve_script.hpp"

#include "core/message.hpp"
#include "resources/curve.hpp"
#include "script/binding.hpp"
#include "script/resource_binding.hpp"

namespace tarn {

namespace {

// `this`, loaded on its first query (a curve that fails to load answers as one without keys).
bool read_curve(HSQUIRRELVM vm, Curve*& self) {
    if (!read_this(vm, self))
        return false;
    self->ensure_loaded();
    return true;
}

template <auto getter>
SQInteger get(HSQUIRRELVM vm) {
    Curve* self = nullptr;
    if (!read_curve(vm, self))
        return SQ_ERROR;
    push_value(vm, (self->*getter)());
    return 1;
}

SQInteger evaluate_float(HSQUIRRELVM vm) {
    Curve* self = nullptr;
    float time = 0.0f;
    int channel = 0;
    if (!read_curve(vm, self) || !read_float(vm, 2, time) || !read_integer(vm, 3, channel))
        return SQ_ERROR;
    float value = 0.0f;
    if (!self->evaluate(time, {&value, 1}, channel)) {
        return sq_throwerror(vm, message("Curve '%1': channel %2 is out of range (%3 channels).",
                                         self->get_def_name(), channel, self->channel_count())
                                     .data());
    }
    push_value(vm, value);
    return 1;
}

constexpr NativeFunction kMethods[] = {
    {"constructor", construct_object<Curve>, 1, "x"},
    {"create", create_resource<Curve>, -1, nullptr},
    {"get_duration", get<&Curve::duration>, 1, "x"},
    {"get_key_count", get<&Curve::key_count>, 1, "x"},
    {"get_channel_count", get<&Curve::channel_count>, 1, "x"},
    {"evaluate_float", evaluate_float, 3, "xf|ii"},
};

}  // namespace

void register_curve_class(HSQUIRRELVM vm) {
    register_class(vm, Curve::class_descriptor, kMethods);
}

}  // namespace tarn
