#include "scene/scene_script.hpp"

#include "core/platform_state.hpp"
#include "render/camera.hpp"
#include "render/renderer.hpp"
#include "render/view2d.hpp"
#include "scene/scene.hpp"
#include "scene/scene_object.hpp"
#include "scene/script_scene_callbacks.hpp"
#include "script/binding.hpp"

namespace tarn {

namespace {

// Takes a camera and draws nothing: scenes are drawn through their View2d.
SQInteger render(HSQUIRRELVM vm) {
    Scene* self = nullptr;
    Camera* camera = nullptr;
    if (!read_this(vm, self) || !read_object(vm, 2, camera))
        return SQ_ERROR;
    return 0;
}

SQInteger render_2d(HSQUIRRELVM vm) {
    Scene* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    const Platform& platform = platform_state();
    self->render_2d(renderer(), platform.width, platform.height);
    return 0;
}

SQInteger update(HSQUIRRELVM vm) {
    Scene* self = nullptr;
    float dt = 0.0f;
    if (!read_this(vm, self) || !read_float(vm, 2, dt))
        return SQ_ERROR;
    return update_scene_from_script(vm, *self, dt);
}

SQInteger set_view(HSQUIRRELVM vm) {
    Scene* self = nullptr;
    View2d* view = nullptr;
    if (!read_this(vm, self) || !read_object(vm, 2, view))
        return SQ_ERROR;
    self->set_view(view);
    return 0;
}

SQInteger sort_layer(HSQUIRRELVM vm) {
    Scene* self = nullptr;
    int layer = 0;
    if (!read_this(vm, self) || !read_integer(vm, 2, layer))
        return SQ_ERROR;
    self->sort_layer(layer);
    return 0;
}

constexpr NativeFunction kMethods[] = {
    {"constructor", construct_object<Scene>, 1, "x"},
    {"render", render, 2, "xx"},
    {"render_2d", render_2d, 1, "x"},
    {"update", update, 2, "xf|i"},
    {"set_view", set_view, 2, "xx"},
    {"sort_layer", sort_layer, 2, "xi"},
};

}  // namespace

void register_scene_class(HSQUIRRELVM vm) {
    register_class(vm, Scene::class_descriptor, kMethods);
}

}  // namespace tarn
