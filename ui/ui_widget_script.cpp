#include "ui/ui_widget_script.hpp"

#include <array>

#include "resources/def_table.hpp"
#include "script/vector_reader.hpp"
#include "ui/script_method.hpp"
#include "ui/ui_root.hpp"

namespace tarn {

namespace {

using VecSetter = void (UIWidget::*)(const Vec2&);
using VecGetter = const Vec2& (UIWidget::*)() const;

// Elements of an array value as numbers: a missing or non-numeric element, or a value that is
// not an array, gives 0.
template <std::size_t N>
Vec<N> frame_numbers(const ScriptObject& value) {
    const std::vector<ScriptObject> elements = elements_of(value);
    Vec<N> out{};
    for (std::size_t i = 0; i < N && i < elements.size(); ++i)
        out[i] = is_number(elements[i]) ? to_float(elements[i]) : 0.0f;
    return out;
}

// The "position", "size" and "frame" keys of the constructor's table.
bool apply_frame_keys(UIWidget& widget, const DefTable& table) {
    if (table.has("position"))
        widget.set_frame_position(frame_numbers<2>(table.get("position")));
    if (table.has("size") && !widget.set_frame_size(frame_numbers<2>(table.get("size"))))
        return false;
    if (!table.has("frame"))
        return true;
    const ScriptObject frame = table.get("frame");
    if (frame.type() == OT_ARRAY && elements_of(frame).size() == 2)
        return widget.set_frame_size(frame_numbers<2>(frame));
    const Vec4 rect = frame_numbers<4>(frame);
    widget.set_frame_position({rect[0], rect[1]});
    return widget.set_frame_size({rect[2], rect[3]});
}

template <VecSetter setter>
SQInteger set_vec2(HSQUIRRELVM vm) {
    UIWidget* self = nullptr;
    Vec2 value;
    ArgumentReader args(vm);
    if (!read_this(vm, self) || !read_vector(args, 2, value.data()))
        return SQ_ERROR;
    (self->*setter)(value);
    return 0;
}

template <VecGetter getter>
SQInteger get_vec2(HSQUIRRELVM vm) {
    UIWidget* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    push_vector(vm, (self->*getter)().data(), 2);
    return 1;
}

SQInteger set_frame_size(HSQUIRRELVM vm) {
    UIWidget* self = nullptr;
    Vec2 value;
    ArgumentReader args(vm);
    if (!read_this(vm, self) || !read_vector(args, 2, value.data()))
        return SQ_ERROR;
    return self->set_frame_size(value) ? 0 : SQ_ERROR;
}

// Runs a native operation that may call scripts: false from it becomes the script's error.
template <bool (UIWidget::*operation)()>
SQInteger run_layout(HSQUIRRELVM vm) {
    UIWidget* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    return (self->*operation)() ? 0 : SQ_ERROR;
}

SQInteger init_frame_size_from_child_widgets(HSQUIRRELVM vm) {
    UIWidget* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    self->init_frame_size_from_child_widgets();
    return 0;
}

SQInteger init(HSQUIRRELVM vm) {
    UIWidget* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    if (sq_gettop(vm) < 2)
        return 0;
    return self->init_from_table(vm, 2) ? 0 : SQ_ERROR;
}

SQInteger add_widget(HSQUIRRELVM vm) {
    UIWidget* self = nullptr;
    UIWidget* child = nullptr;
    if (!read_this(vm, self) || !read_object(vm, 2, child))
        return SQ_ERROR;
    self->add_widget(*child);
    sq_push(vm, 1);
    return 1;
}

SQInteger remove_child_widget(HSQUIRRELVM vm) {
    UIWidget* self = nullptr;
    UIWidget* child = nullptr;
    if (!read_this(vm, self) || !read_object(vm, 2, child))
        return SQ_ERROR;
    self->remove_child_widget(*child);
    return 0;
}

// `this` and a pointer index; valid is false for an index outside 0..5.
bool read_pointer(HSQUIRRELVM vm, UIWidget*& self, int& pointer, bool& valid) {
    if (!read_this(vm, self) || !read_integer(vm, 2, pointer))
        return false;
    valid = pointer >= 0 && pointer < UI::kPointerCount;
    return true;
}

SQInteger is_mouse_hovering(HSQUIRRELVM vm) {
    UIWidget* self = nullptr;
    int pointer = 0;
    bool valid = false;
    if (!read_pointer(vm, self, pointer, valid))
        return SQ_ERROR;
    UI* ui = self->owner_ui();
    return return_value(vm, valid && ui != nullptr && ui->hovered(pointer) == self);
}

SQInteger is_any_mouse_hovering(HSQUIRRELVM vm) {
    UIWidget* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    const UI* ui = self->owner_ui();
    bool hovering = false;
    for (int pointer = 0; ui != nullptr && pointer < UI::kPointerCount; ++pointer)
        hovering = hovering || ui->hovered(pointer) == self;
    return return_value(vm, hovering);
}

SQInteger is_disabled(HSQUIRRELVM vm) {
    UIWidget* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    return return_value(vm, self->is_disabled());
}

SQInteger mouse_index_from_key(HSQUIRRELVM vm) {
    UIWidget* self = nullptr;
    int key = 0;
    if (!read_this(vm, self) || !read_integer(vm, 2, key))
        return SQ_ERROR;
    return return_value(vm, UI::pointer_from_key(key));
}

// capture_mouse and release_mouse: false, changing nothing, outside a UI or for a bad index.
SQInteger change_capture(HSQUIRRELVM vm, void (UI::*change)(UIWidget&, int)) {
    UIWidget* self = nullptr;
    int pointer = 0;
    bool valid = false;
    if (!read_pointer(vm, self, pointer, valid))
        return SQ_ERROR;
    UI* ui = self->owner_ui();
    if (!valid || ui == nullptr)
        return return_value(vm, false);
    (ui->*change)(*self, pointer);
    return return_value(vm, true);
}

SQInteger capture_mouse(HSQUIRRELVM vm) {
    return change_capture(vm, &UI::capture);
}

SQInteger release_mouse(HSQUIRRELVM vm) {
    return change_capture(vm, &UI::release);
}

SQInteger set_color(HSQUIRRELVM vm) {
    UIWidget* self = nullptr;
    Vec4 color;
    ArgumentReader args(vm);
    if (!read_this(vm, self) || !read_vector(args, 4, color.data()))
        return SQ_ERROR;
    self->set_color(color);
    return 0;
}

SQInteger get_color(HSQUIRRELVM vm) {
    UIWidget* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    push_vector(vm, self->color().data(), 4);
    return 1;
}

SQInteger mouse_to_local(HSQUIRRELVM vm) {
    UIWidget* self = nullptr;
    int pointer = 0;
    if (!read_this(vm, self) || !read_integer(vm, 2, pointer))
        return SQ_ERROR;
    const Vec2 local = self->mouse_to_local(pointer);
    push_vector(vm, local.data(), 2);
    return 1;
}

SQInteger set_hidden(HSQUIRRELVM vm) {
    UIWidget* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    self->set_flag(UIWidget::kHidden, truth_of(vm, 2));
    return 0;
}

constexpr NativeFunction kMethods[] = {
    {"constructor", construct_widget<UIWidget>, -1, "xt|o"},
    {"add_widget", add_widget, 2, "xx"},
    {"remove_child_widget", remove_child_widget, 2, "xx"},
    {"get_frame_position", get_vec2<&UIWidget::frame_position>, 1, "x"},
    {"set_frame_position", set_vec2<&UIWidget::set_frame_position>, -2, "x"},
    {"get_frame_size", get_vec2<&UIWidget::frame_size>, 1, "x"},
    {"set_frame_size", set_frame_size, -2, "x"},
    {"get_ideal_size", get_vec2<&UIWidget::ideal_size>, 1, "x"},
    {"set_ideal_size", set_vec2<&UIWidget::set_ideal_size>, -2, "x"},
    {"init_frame_size", set_vec2<&UIWidget::init_frame_size>, -2, "x"},
    {"init_frame_size_from_child_widgets", init_frame_size_from_child_widgets, 1, "x"},
    {"init", init, -1, "x"},
    {"layout", run_layout<&UIWidget::layout_self>, 1, "x"},
    {"autoresize_child_widgets", run_layout<&UIWidget::autoresize_child_widgets>, 1, "x"},
    {"is_mouse_hovering", is_mouse_hovering, 2, "x."},
    {"is_any_mouse_hovering", is_any_mouse_hovering, 1, "x"},
    {"is_disabled", is_disabled, 1, "x"},
    {"mouse_index_from_key", mouse_index_from_key, 2, "x."},
    {"capture_mouse", capture_mouse, 2, "x."},
    {"release_mouse", release_mouse, 2, "x."},
    {"set_color", set_color, -2, "x"},
    {"get_color", get_color, 1, "x"},
    {"mouse_to_local", mouse_to_local, 2, "x."},
    {"set_hidden", set_hidden, 2, "x."},
};

}  // namespace

SQInteger finish_widget_construction(HSQUIRRELVM vm, UIWidget& widget) {
    const ScriptObject table = sq_gettop(vm) >= 2 ? ScriptObject(vm, 2) : ScriptObject();
    if (call_if_defined(widget, "init", table) == MethodCall::kFailed)
        return SQ_ERROR;
    return apply_frame_keys(widget, DefTable(table)) ? 0 : SQ_ERROR;
}

void register_widget_script_class(HSQUIRRELVM vm, ClassDescriptor& cls, SQInteger user_data_size,
                                  std::span<const NativeFunction> methods) {
    cls.script_class = new_class(root_table(vm), cls.name, &cls.parent->script_class,
                                 cls.type_tag(), user_data_size);
    bind_functions(cls.script_class, methods);
}

void register_ui_widget_class(HSQUIRRELVM vm) {
    register_widget_script_class(vm, UIWidget::class_descriptor, sizeof(UIWidget), kMethods);
}

}  // namespace tarn
