// System functions of keys, the mouse, touches and the joystick.
#include <span>

#include "core/cvar_list.hpp"
#include "core/input.hpp"
#include "script/binding.hpp"
#include "script/system_api.hpp"
#include "script/vector_reader.hpp"

namespace tarn {

namespace {

SQInteger return_point(HSQUIRRELVM vm, PointF point) {
    const float values[2] = {point.x, point.y};
    push_vector(vm, values, 2);
    return 1;
}

SQInteger get_mouse_position(HSQUIRRELVM vm) {
    const Platform& p = platform_state();
    return return_point(vm, {p.mouse_fx, p.mouse_fy});
}

SQInteger get_mouse_delta(HSQUIRRELVM vm) {
    const Platform& p = platform_state();
    return return_point(vm, {p.mouse_dx, p.mouse_dy});
}

SQInteger get_touch_position(HSQUIRRELVM vm) {
    int index = 0;
    if (!read_integer(vm, 2, index))
        return SQ_ERROR;
    return return_point(vm, touch_position(platform_state(), index));
}

SQInteger iphone_override_mouse_position(HSQUIRRELVM vm) {
    ArgumentReader args(vm);
    float position[2] = {};
    if (!read_vector(args, 2, position))
        return SQ_ERROR;
    override_mouse_position(platform_state(), {position[0], position[1]});
    return 0;
}

// The four key queries share their argument handling: a float code is truncated.
SQInteger answer_key_query(HSQUIRRELVM vm, bool (*query)(const Platform&, int)) {
    int code = 0;
    if (!read_integer(vm, 2, code))
        return SQ_ERROR;
    push_value(vm, query(platform_state(), code));
    return 1;
}

SQInteger query_is_key_down(HSQUIRRELVM vm) {
    return answer_key_query(vm, is_key_down);
}
SQInteger query_was_key_down(HSQUIRRELVM vm) {
    return answer_key_query(vm, was_key_down);
}
SQInteger query_was_key_pressed(HSQUIRRELVM vm) {
    return answer_key_query(vm, was_key_pressed);
}
SQInteger query_was_key_released(HSQUIRRELVM vm) {
    return answer_key_query(vm, was_key_released);
}

SQInteger get_joystick_direction(HSQUIRRELVM vm) {
    const float threshold = cvar_list().get_float("joy_threshold");
    return return_point(vm, joystick_direction(platform_state(), threshold));
}

// The integer arguments are left to the integer reader instead of an "i" in the mask (which the VM
// would check first): a float index or code is truncated, any other type raises
// "Expecting integer.".
constexpr NativeFunction kInputFunctions[] = {
    {"get_mouse_position", get_mouse_position, 1, "."},
    {"get_mouse_delta", get_mouse_delta, 1, "."},
    {"get_touch_position", get_touch_position, 2, ".."},
    {"iphone_override_mouse_position", iphone_override_mouse_position, -1, "."},
    {"is_key_down", query_is_key_down, 2, ".."},
    {"was_key_down", query_was_key_down, 2, ".."},
    {"was_key_pressed", query_was_key_pressed, 2, ".."},
    {"was_key_released", query_was_key_released, 2, ".."},
    {"get_joystick_direction", get_joystick_direction, 1, "."},
};

}  // namespace

std::span<const NativeFunction> system_input_functions() {
    return kInputFunctions;
}

}  // namespace tarn
