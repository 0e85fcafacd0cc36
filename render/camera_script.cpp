#include "render/camera_script.hpp"

#include "core/platform_state.hpp"
#include "render/camera.hpp"
#include "script/binding.hpp"
#include "script/vector_reader.hpp"

namespace tarn {

namespace {

template <std::size_t N>
using VecSetter = void (Camera::*)(const Vec<N>&);
template <std::size_t N>
using VecGetter = const Vec<N>& (Camera::*)() const;
using FloatSetter = void (Camera::*)(float);
using FloatGetter = float (Camera::*)() const;

template <std::size_t N, VecSetter<N> setter>
SQInteger set_vector(HSQUIRRELVM vm) {
    Camera* self = nullptr;
    Vec<N> value;
    ArgumentReader args(vm);
    if (!read_this(vm, self) || !read_vector(args, static_cast<int>(N), value.data()))
        return SQ_ERROR;
    (self->*setter)(value);
    return 0;
}

template <std::size_t N, VecGetter<N> getter>
SQInteger get_vector(HSQUIRRELVM vm) {
    Camera* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    push_vector(vm, (self->*getter)().data(), static_cast<int>(N));
    return 1;
}

template <FloatSetter setter>
SQInteger set_float(HSQUIRRELVM vm) {
    Camera* self = nullptr;
    float value = 0.0f;
    if (!read_this(vm, self) || !read_float(vm, 2, value))
        return SQ_ERROR;
    (self->*setter)(value);
    return 0;
}

template <FloatGetter getter>
SQInteger get_float(HSQUIRRELVM vm) {
    Camera* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    sq_pushfloat(vm, (self->*getter)());
    return 1;
}

SQInteger fit_viewport_to_screen(HSQUIRRELVM vm) {
    Camera* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    const Platform& platform = platform_state();
    self->fit_viewport_to_screen(static_cast<float>(platform.logical_width),
                                 static_cast<float>(platform.logical_height));
    return 0;
}

// A screen point (vec2) and a forward distance.
SQInteger screen_to_eye(HSQUIRRELVM vm) {
    Camera* self = nullptr;
    Vec2 point;
    float distance = 0.0f;
    ArgumentReader args(vm);
    if (!read_this(vm, self) || !read_vector(args, 2, point.data()) || !args.read_float(distance))
        return SQ_ERROR;
    const Vec3 eye = self->screen_to_eye(point, distance);
    push_vector(vm, eye.data(), 3);
    return 1;
}

constexpr NativeFunction kMethods[] = {
    {"constructor", construct_object<Camera>, 1, "x"},
    {"set_viewport_position", set_vector<2, &Camera::set_viewport_position>, -2, "xf|i|x"},
    {"set_viewport_size", set_vector<2, &Camera::set_viewport_size>, -2, "xf|i|x|a"},
    {"fit_viewport_to_screen", fit_viewport_to_screen, 1, "x"},
    {"set_canvas_size", set_vector<2, &Camera::set_canvas_size>, -1, "x"},
    {"set_fov_angles", set_vector<2, &Camera::set_fov_angles>, -2, "xf|i|x"},
    {"set_near_plane", set_float<&Camera::set_near_plane>, 2, "xf|i"},
    {"set_far_plane", set_float<&Camera::set_far_plane>, 2, "xf|i"},
    {"get_far_plane", get_float<&Camera::far_plane>, 1, "x"},
    {"get_near_plane", get_float<&Camera::near_plane>, 1, "x"},
    {"set_position", set_vector<3, &Camera::set_position>, -1, "x"},
    {"set_orientation", set_vector<4, &Camera::set_orientation>, -1, "x"},
    {"get_orientation", get_vector<4, &Camera::orientation>, 1, "x"},
    {"get_position", get_vector<3, &Camera::position>, 1, "x"},
    {"screen_to_eye", screen_to_eye, -1, "x"},
};

}  // namespace

void register_camera_class(HSQUIRRELVM vm) {
    register_class(vm, Camera::class_descriptor, kMethods);
}

}  // namespace tarn
