#include "ui/ui_sprite_script.hpp"

#include "resources/sprite_script.hpp"
#include "script/binding.hpp"
#include "ui/ui_sprite.hpp"
#include "ui/ui_widget_script.hpp"

namespace tarn {

namespace {

// (Sprite, sprite name or null)
SQInteger set_sprite(HSQUIRRELVM vm) {
    UISprite* self = nullptr;
    ObjectRef<Sprite> sprite;
    ArgumentReader args(vm);
    if (!read_this(vm, self) || !read_sprite_name_or_null(args, sprite))
        return SQ_ERROR;
    self->set_sprite(sprite.get());
    return 0;
}

constexpr NativeFunction kMethods[] = {
    {"constructor", construct_widget<UISprite>, -1, "xt|o"},
    {"set_sprite", set_sprite, 2, "x."},
    {"set_offset", set_widget_offset<UISprite>, -2, "x"},
};

}  // namespace

void register_ui_sprite_class(HSQUIRRELVM vm) {
    register_widget_script_class(vm, UISprite::class_descriptor, sizeof(UISprite), kMethods);
}

}  // namespace tarn
