#include "render/view2d_script.hpp"

#include "core/platform_state.hpp"
#include "render/view2d.hpp"
#include "script/binding.hpp"
#include "script/vector_reader.hpp"

namespace tarn {

namespace {

using Vec2Setter = void (View2d::*)(const Vec2&);
using Vec2Mapping = Vec2 (View2d::*)(const Vec2&);
using ScreenOperation = void (View2d::*)(float, float);

// `this` and the vec2 after it.
bool read_view_and_vec2(HSQUIRRELVM vm, View2d*& self, Vec2& value) {
    ArgumentReader args(vm);
    return read_this(vm, self) && read_vector(args, 2, value.data());
}

template <Vec2Setter setter>
SQInteger set_vec2(HSQUIRRELVM vm) {
    View2d* self = nullptr;
    Vec2 value;
    if (!read_view_and_vec2(vm, self, value))
        return SQ_ERROR;
    (self->*setter)(value);
    return 0;
}

template <Vec2Mapping mapping>
SQInteger map_vec2(HSQUIRRELVM vm) {
    View2d* self = nullptr;
    Vec2 value;
    if (!read_view_and_vec2(vm, self, value))
        return SQ_ERROR;
    const Vec2 result = (self->*mapping)(value);
    push_vector(vm, result.data(), 2);
    return 1;
}

// An operation on the logical window.
template <ScreenOperation operation>
SQInteger on_screen(HSQUIRRELVM vm) {
    View2d* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    const Platform& platform = platform_state();
    (self->*operation)(static_cast<float>(platform.logical_width),
                       static_cast<float>(platform.logical_height));
    return 0;
}

constexpr NativeFunction kMethods[] = {
    {"constructor", construct_object<View2d>, 1, "x"},
    {"set_viewport_size", set_vec2<&View2d::set_viewport_size>, -1, "x"},
    {"set_viewport_position", set_vec2<&View2d::set_viewport_position>, -1, "x"},
    {"set_canvas_size", set_vec2<&View2d::set_canvas_size>, -1, "x"},
    {"set_virtual_resolution", set_vec2<&View2d::set_canvas_size>, -1, "x"},
    {"set_camera_position", set_vec2<&View2d::set_camera_position>, -1, "x"},
    {"fit_viewport_to_screen", on_screen<&View2d::fit_viewport_to_screen>, 1, "x"},
    {"center_viewport_on_screen", on_screen<&View2d::center_viewport_on_screen>, 1, "x"},
    {"screen_to_canvas", map_vec2<&View2d::screen_to_canvas>, -1, "x"},
    {"canvas_to_screen", map_vec2<&View2d::canvas_to_screen>, -1, "x"},
};

}  // namespace

void register_view2d_class(HSQUIRRELVM vm) {
    register_class(vm, View2d::class_descriptor, kMethods);
}

}  // namespace tarn
