#include "scene/scene_object_script.hpp"

#include <cstring>
#include <functional>

#include "resources/emitter.hpp"
#include "resources/font_script.hpp"
#include "resources/resource_loading.hpp"
#include "resources/sprite_script.hpp"
#include "resources/texture_script.hpp"
#include "scene/scene.hpp"
#include "scene/scene_object.hpp"
#include "script/binding.hpp"
#include "script/vector_reader.hpp"

namespace tarn {

namespace {

constexpr float kDegreesPerTurn = 360.0f;

// Method shapes shared by many methods. Each template takes the native operation as a member
// function or a free function of (SceneObject&, ...), called with std::invoke.

template <auto operation>
SQInteger call_plain(HSQUIRRELVM vm) {
    SceneObject* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    std::invoke(operation, *self);
    return 0;
}

// A result pushed as a script value.
template <auto getter>
SQInteger get_value(HSQUIRRELVM vm) {
    SceneObject* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    push_value(vm, std::invoke(getter, *self));
    return 1;
}

template <auto getter>
SQInteger get_vector(HSQUIRRELVM vm) {
    SceneObject* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    const auto value = std::invoke(getter, *self);
    push_vector(vm, value.data(), static_cast<int>(value.size()));
    return 1;
}

template <auto setter>
SQInteger set_truth(HSQUIRRELVM vm) {
    SceneObject* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    std::invoke(setter, *self, truth_of(vm, 2));
    return 0;
}

template <auto setter>
SQInteger set_float(HSQUIRRELVM vm) {
    SceneObject* self = nullptr;
    float value = 0.0f;
    if (!read_this(vm, self) || !read_float(vm, 2, value))
        return SQ_ERROR;
    std::invoke(setter, *self, value);
    return 0;
}

template <auto setter>
SQInteger set_integer(HSQUIRRELVM vm) {
    SceneObject* self = nullptr;
    int value = 0;
    if (!read_this(vm, self) || !read_integer(vm, 2, value))
        return SQ_ERROR;
    std::invoke(setter, *self, value);
    return 0;
}

template <std::size_t N, auto setter>
SQInteger set_vector(HSQUIRRELVM vm) {
    SceneObject* self = nullptr;
    Vec<N> value{};
    ArgumentReader args(vm);
    if (!read_this(vm, self) || !read_vector(args, static_cast<int>(N), value.data()))
        return SQ_ERROR;
    std::invoke(setter, *self, value);
    return 0;
}

// A resource given as an instance, a name or null.
template <typename T, bool (*read)(ArgumentReader&, ObjectRef<T>&), void (SceneObject::*setter)(T*)>
SQInteger set_resource(HSQUIRRELVM vm) {
    SceneObject* self = nullptr;
    ObjectRef<T> resource;
    ArgumentReader args(vm);
    if (!read_this(vm, self) || !read(args, resource))
        return SQ_ERROR;
    (self->*setter)(resource.get());
    return 0;
}

// Operations in script units: degrees for turns, vectors for positions.

Vec2 position_of(const SceneObject& object) {
    return {object.x(), object.y()};
}

void set_position(SceneObject& object, const Vec2& position) {
    object.set_position(position[0], position[1]);
}

float angle_of(const SceneObject& object) {
    return object.rotation() * kDegreesPerTurn;
}

void set_angle(SceneObject& object, float degrees) {
    object.set_rotation(degrees / kDegreesPerTurn);
}

Vec2 no_pivot_in_texture_image(const SceneObject&) {
    return {0.0f, 0.0f};
}

void rotate(SceneObject& object, float degrees_per_second) {
    object.rotate(degrees_per_second / kDegreesPerTurn);
}

SQInteger set_scene(HSQUIRRELVM vm) {
    SceneObject* self = nullptr;
    Scene* scene = nullptr;
    if (!read_this(vm, self) || !read_object(vm, 2, scene))
        return SQ_ERROR;
    self->set_scene(scene);
    return 0;
}

// Another scene object becomes the parent; anything else detaches.
SQInteger set_parent(HSQUIRRELVM vm) {
    SceneObject* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    self->bind(object_at<SceneObject>(vm, 2));
    return 0;
}

SQInteger set_emitter(HSQUIRRELVM vm) {
    SceneObject* self = nullptr;
    const char* name = nullptr;
    if (!read_this(vm, self) || !read_string(vm, 2, name))
        return SQ_ERROR;
    self->set_emitter(get_or_create<Emitter2dResource>(vm, name));
    return 0;
}

SQInteger set_line(HSQUIRRELVM vm) {
    SceneObject* self = nullptr;
    Vec2 end{};
    ArgumentReader args(vm);
    if (!read_this(vm, self) || !read_vector(args, 2, end.data()))
        return SQ_ERROR;
    self->set_line(get_or_create<Texture>(vm, "_white_"), end);
    return 0;
}

SQInteger set_text(HSQUIRRELVM vm) {
    SceneObject* self = nullptr;
    const char* text = nullptr;
    if (!read_this(vm, self) || !read_string(vm, 2, text))
        return SQ_ERROR;
    self->set_text(text, static_cast<int>(sq_getsize(vm, 2)));
    return 0;
}

// "c" centre, "r" right, anything else left.
SQInteger set_text_align(HSQUIRRELVM vm) {
    SceneObject* self = nullptr;
    const char* align = nullptr;
    if (!read_this(vm, self) || !read_string(vm, 2, align))
        return SQ_ERROR;
    if (std::strcmp(align, "c") == 0)
        self->set_text_align(kTextAlignCenter);
    else if (std::strcmp(align, "r") == 0)
        self->set_text_align(kTextAlignRight);
    else
        self->set_text_align(kTextAlignLeft);
    return 0;
}

SQInteger set_repeating(HSQUIRRELVM vm) {
    SceneObject* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    self->set_repeating(truth_of(vm, 2), truth_of(vm, 3));
    return 0;
}

SQInteger set_collision_bits(HSQUIRRELVM vm) {
    SceneObject* self = nullptr;
    int bits = 0;
    int mask = 0;
    if (!read_this(vm, self) || !read_integer(vm, 2, bits) || !read_integer(vm, 3, mask))
        return SQ_ERROR;
    self->set_collision_bits(bits, mask);
    return 0;
}

// (alpha, seconds)
SQInteger fade_alpha_to(HSQUIRRELVM vm) {
    SceneObject* self = nullptr;
    float alpha = 0.0f;
    float seconds = 0.0f;
    ArgumentReader args(vm);
    if (!read_this(vm, self) || !args.read_float(alpha) || !args.read_float(seconds))
        return SQ_ERROR;
    self->fade_alpha_to(alpha, seconds);
    return 0;
}

// (degrees, degrees per second) -> the signed degrees it will turn
SQInteger rotate_to(HSQUIRRELVM vm) {
    SceneObject* self = nullptr;
    float degrees = 0.0f;
    float speed = 0.0f;
    ArgumentReader args(vm);
    if (!read_this(vm, self) || !args.read_float(degrees) || !args.read_float(speed))
        return SQ_ERROR;
    const float turn = self->rotate_to(degrees / kDegreesPerTurn, speed / kDegreesPerTurn);
    push_value(vm, turn * kDegreesPerTurn);
    return 1;
}

// (vec2 target, speed)
SQInteger move_to(HSQUIRRELVM vm) {
    SceneObject* self = nullptr;
    Vec2 target{};
    float speed = 0.0f;
    ArgumentReader args(vm);
    if (!read_this(vm, self) || !read_vector(args, 2, target.data()) || !args.read_float(speed))
        return SQ_ERROR;
    self->move_to(target, speed);
    return 0;
}

// (vec2 target, duration, acceleration time, deceleration time)
SQInteger move_to2(HSQUIRRELVM vm) {
    SceneObject* self = nullptr;
    Vec2 target{};
    float times[3] = {};
    ArgumentReader args(vm);
    if (!read_this(vm, self) || !read_vector(args, 2, target.data()) ||
        !args.read_float(times[0]) || !args.read_float(times[1]) || !args.read_float(times[2])) {
        return SQ_ERROR;
    }
    self->move_to2(target, times[0], times[1], times[2]);
    return 0;
}

// (vec2 min, vec2 max)
SQInteger set_area(HSQUIRRELVM vm) {
    SceneObject* self = nullptr;
    Vec2 min{};
    Vec2 max{};
    ArgumentReader args(vm);
    if (!read_this(vm, self) || !read_vector(args, 2, min.data()) ||
        !read_vector(args, 2, max.data())) {
        return SQ_ERROR;
    }
    self->set_area(min, max);
    return 0;
}

// (vec2 centre, radius)
SQInteger add_collision_circle(HSQUIRRELVM vm) {
    SceneObject* self = nullptr;
    Vec2 center{};
    float radius = 0.0f;
    ArgumentReader args(vm);
    if (!read_this(vm, self) || !read_vector(args, 2, center.data()) || !args.read_float(radius))
        return SQ_ERROR;
    self->add_collision_circle(center, radius);
    return 0;
}

// (vec2 point) -> bool
SQInteger test_collision_with_point(HSQUIRRELVM vm) {
    SceneObject* self = nullptr;
    Vec2 point{};
    ArgumentReader args(vm);
    if (!read_this(vm, self) || !read_vector(args, 2, point.data()))
        return SQ_ERROR;
    push_value(vm, self->test_collision_with_point(point));
    return 1;
}

// The class's reference card: name, function, parameter count (with `this`; -1 any) and mask.
constexpr NativeFunction kMethods[] = {
    {"constructor", construct_object<SceneObject>, 1, "x"},
    {"set_enabled", set_truth<&SceneObject::set_enabled>, 2, "xb|f|i"},
    {"set_auto_destroy", set_truth<&SceneObject::set_auto_destroy>, 2, "xb|f|i"},
    {"is_enabled", get_value<&SceneObject::enabled>, 1, "x"},
    {"set_scene", set_scene, 2, "xx"},
    {"set_sprite", set_resource<Sprite, read_sprite_or_name, &SceneObject::set_sprite>, 2,
     "xx|s|o"},
    {"set_emitter", set_emitter, 2, "xs"},
    {"set_line", set_line, -1, "x"},
    {"set_texture", set_resource<Texture, read_texture_or_name, &SceneObject::set_texture>, 2,
     "xx|s|o"},
    {"set_font", set_resource<Font, read_font_or_name, &SceneObject::set_font>, 2, "xx|s|o"},
    {"set_text", set_text, 2, "xs"},
    {"set_text_width", set_float<&SceneObject::set_text_width>, 2, "xf|i"},
    {"set_font_scale", set_float<&SceneObject::set_font_scale>, 2, "xf|i"},
    {"set_text_align", set_text_align, 2, "xs"},
    {"set_frame", set_integer<&SceneObject::set_frame>, 2, "xi"},
    {"set_position", set_vector<2, set_position>, -1, "x"},
    {"get_position", get_vector<position_of>, 1, "x"},
    {"set_local_scale", set_vector<2, &SceneObject::set_local_scale>, -1, "x"},
    {"get_local_scale", get_vector<&SceneObject::local_scale>, 1, "x"},
    {"set_shear", set_vector<2, &SceneObject::set_shear>, -1, "x"},
    {"get_shear", get_vector<&SceneObject::shear>, 1, "x"},
    {"get_pivot", get_vector<&SceneObject::pivot>, 1, "x"},
    {"get_pivot_in_texture_image", get_vector<no_pivot_in_texture_image>, 1, "x"},
    {"get_size", get_vector<&SceneObject::size>, 1, "x"},
    {"set_rotation", set_float<&SceneObject::set_rotation>, 2, "xf|i"},
    {"set_angle", set_float<set_angle>, 2, "xf|i"},
    {"get_rotation", get_value<&SceneObject::rotation>, 1, "x"},
    {"get_angle", get_value<angle_of>, 1, "x"},
    {"set_layer", set_integer<&SceneObject::set_layer>, 2, "xi"},
    {"get_layer", get_value<&SceneObject::layer>, 1, "x"},
    {"set_color", set_vector<4, &SceneObject::set_color>, -1, "x"},
    {"get_color", get_vector<&SceneObject::color>, 1, "x"},
    {"set_occlusion", set_float<&SceneObject::set_occlusion>, 2, "xf|i"},
    {"set_repeating", set_repeating, 3, "xbb"},
    {"set_parent", set_parent, 2, "xx|o"},
    {"fade_alpha_to", fade_alpha_to, -1, "x"},
    {"stop_fade_alpha", call_plain<&SceneObject::stop_fade_alpha>, 1, "x"},
    {"rotate", set_float<rotate>, -1, "x"},
    {"rotate_to", rotate_to, -1, "x"},
    {"stop_rotate", call_plain<&SceneObject::stop_rotate>, 1, "x"},
    {"move_to", move_to, -1, "x"},
    {"move_to2", move_to2, -1, "x"},
    {"stop_move", call_plain<&SceneObject::stop_move>, 1, "x"},
    {"set_area", set_area, -1, "x"},
    {"play", call_plain<&SceneObject::play>, 1, "x"},
    {"play_backward", call_plain<&SceneObject::play_backward>, 1, "x"},
    {"play_random", call_plain<&SceneObject::play_random>, 1, "x"},
    {"play_backward_random", call_plain<&SceneObject::play_backward_random>, 1, "x"},
    {"stop", call_plain<&SceneObject::stop>, 1, "x"},
    {"is_playing", get_value<&SceneObject::is_playing>, 1, "x"},
    {"set_looping", set_truth<&SceneObject::set_looping>, 2, "xb"},
    {"add_collision_circle", add_collision_circle, -1, "x"},
    {"remove_all_collisions", call_plain<&SceneObject::remove_all_collisions>, 1, "x"},
    {"test_collision_with_point", test_collision_with_point, -1, "x"},
    {"set_collision_bits", set_collision_bits, 3, "xii"},
};

}  // namespace

void register_scene_object_class(HSQUIRRELVM vm) {
    register_class(vm, SceneObject::class_descriptor, kMethods);
}

}  // namespace tarn
