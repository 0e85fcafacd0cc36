#include "ui/ui_label_script.hpp"

#include "script/binding.hpp"
#include "ui/ui_label.hpp"
#include "ui/ui_widget_script.hpp"

namespace tarn {

namespace {

SQInteger layout_text(HSQUIRRELVM vm) {
    UILabel* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    self->relayout();
    return 0;
}

SQInteger set_text(HSQUIRRELVM vm) {
    UILabel* self = nullptr;
    SharedString text;
    if (!read_this(vm, self) || !read_string(vm, 2, text))
        return SQ_ERROR;
    self->set_text(text);
    return 0;
}

constexpr NativeFunction kMethods[] = {
    {"constructor", construct_widget<UILabel>, -1, "xt|o"},
    {"layout_text", layout_text, 1, "x"},
    {"set_text", set_text, 2, "x."},
    {"set_offset", set_widget_offset<UILabel>, -2, "x"},
};

}  // namespace

void register_ui_label_class(HSQUIRRELVM vm) {
    register_widget_script_class(vm, UILabel::class_descriptor, sizeof(UILabel), kMethods);
}

}  // namespace tarn
