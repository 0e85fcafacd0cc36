#include "ui/ui_root_script.hpp"

#include "core/platform_state.hpp"
#include "render/renderer.hpp"
#include "script/binding.hpp"
#include "script/vector_reader.hpp"
#include "ui/ui_root.hpp"
#include "ui/ui_widget.hpp"
#include "ui/ui_widget_script.hpp"

namespace tarn {

namespace {

SQInteger construct(HSQUIRRELVM vm) {
    if (construct_game_object<UI>(vm, 1) == nullptr)
        return raise_expecting(vm, UI::class_descriptor.name);
    return 0;
}

SQInteger set_camera(HSQUIRRELVM vm) {
    UI* self = nullptr;
    Camera* camera = nullptr;
    if (!read_this(vm, self) || !read_object(vm, 2, camera))
        return SQ_ERROR;
    self->set_camera(camera);
    return 0;
}

SQInteger get_camera(HSQUIRRELVM vm) {
    UI* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    push_object(vm, self->camera());
    return 1;
}

template <bool (UI::*route)(int, bool&)>
SQInteger handle_key(HSQUIRRELVM vm) {
    UI* self = nullptr;
    int key = 0;
    bool handled = false;
    if (!read_this(vm, self) || !read_integer(vm, 2, key) || !(self->*route)(key, handled))
        return SQ_ERROR;
    return return_value(vm, handled);
}

SQInteger update(HSQUIRRELVM vm) {
    UI* self = nullptr;
    float dt = 0.0f;
    if (!read_this(vm, self) || !read_float(vm, 2, dt))
        return SQ_ERROR;
    return self->update(dt) ? 0 : SQ_ERROR;
}

SQInteger render(HSQUIRRELVM vm) {
    UI* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    self->render(renderer(), platform_state().height);
    return 0;
}

template <void (UI::*change)(UIWidget&)>
SQInteger change_widgets(HSQUIRRELVM vm) {
    UI* self = nullptr;
    UIWidget* widget = nullptr;
    if (!read_this(vm, self) || !read_object(vm, 2, widget))
        return SQ_ERROR;
    (self->*change)(*widget);
    return 0;
}

SQInteger setup_canvas_2d(HSQUIRRELVM vm) {
    UI* self = nullptr;
    Vec2 position;
    Vec2 pivot;
    Quaternion rotation;
    ArgumentReader args(vm);
    if (!read_this(vm, self) || !read_vector(args, 2, position.data()) ||
        !read_vector(args, 2, pivot.data()) || !read_vector(args, 4, rotation.data()))
        return SQ_ERROR;
    self->setup_canvas_2d(position, pivot, rotation);
    return 0;
}

constexpr NativeFunction kMethods[] = {
    {"constructor", construct, 1, "x"},
    {"set_camera", set_camera, 2, "xx"},
    {"get_camera", get_camera, 1, "x"},
    {"handle_key_down", handle_key<&UI::handle_key_down>, 2, "x."},
    {"handle_key_up", handle_key<&UI::handle_key_up>, 2, "x."},
    {"update", update, 2, "x."},
    {"render", render, 1, "x"},
    {"add_widget", change_widgets<&UI::add_widget>, 2, "xx"},
    {"remove_widget", change_widgets<&UI::remove_widget>, 2, "xx"},
    {"setup_canvas_2d", setup_canvas_2d, -4, "x"},
};

}  // namespace

void register_ui_class(HSQUIRRELVM vm) {
    register_widget_script_class(vm, UI::class_descriptor, sizeof(UI), kMethods);
}

}  // namespace tarn
