#pragma once

#include <squirrel.h>

#include <span>

#include "script/binding.hpp"
#include "script/game_object.hpp"
#include "script/vector_reader.hpp"
#include "ui/ui_widget.hpp"

namespace tarn {

// The construction steps every widget class shares once its native part exists: the instance's
// "init" with the optional table (or null), then the table's "position", "size" and "frame".
SQInteger finish_widget_construction(HSQUIRRELVM vm, UIWidget& widget);

// The script constructor of widget class T: builds the native T in `this` (raising "Expecting "
// + T's name for anything else), then finish_widget_construction.
template <typename T>
SQInteger construct_widget(HSQUIRRELVM vm) {
    T* widget = construct_game_object<T>(vm, 1);
    if (widget == nullptr)
        return raise_expecting(vm, T::class_descriptor.name);
    return finish_widget_construction(vm, *widget);
}

// `set_offset` of a drawing widget class T: stores the vec2 added to where it draws.
template <typename T>
SQInteger set_widget_offset(HSQUIRRELVM vm) {
    T* self = nullptr;
    Vec2 offset{};
    ArgumentReader args(vm);
    if (!read_this(vm, self) || !read_vector(args, 2, offset.data()))
        return SQ_ERROR;
    self->set_offset(offset);
    return 0;
}

// Creates the script class of a widget class (or of the UI) in the root table: based on its
// parent's script class, tagged with its descriptor, reserving user_data_size bytes, with its
// methods.
void register_widget_script_class(HSQUIRRELVM vm, ClassDescriptor& cls, SQInteger user_data_size,
                                  std::span<const NativeFunction> methods);

// Registers the UIWidget script class in the root table.
void register_ui_widget_class(HSQUIRRELVM vm);

}  // namespace tarn
