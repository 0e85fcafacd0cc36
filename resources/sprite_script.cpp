#include "resources/sprite_script.hpp"

#include "resources/resource_loading.hpp"
#include "script/binding.hpp"
#include "script/resource_binding.hpp"

namespace tarn {

namespace {

constexpr NativeFunction kMethods[] = {
    {"constructor", construct_object<Sprite>, 1, "x"},
    {"create", create_resource<Sprite>, -1, nullptr},
};

Sprite* loaded_sprite(HSQUIRRELVM vm, const char* name) {
    return get_or_load<Sprite>(vm, name);
}

// A sprite that is loaded, or what stands in for it.
Sprite* usable_sprite(HSQUIRRELVM vm, Sprite* sprite) {
    if (sprite->ensure_loaded())
        return sprite;
    const SharedString name = sprite->get_def_name();
    return loaded_sprite(vm, name.length() != 0 ? name.data() : "_invalid_");
}

}  // namespace

void register_sprite_class(HSQUIRRELVM vm) {
    register_class(vm, Sprite::class_descriptor, kMethods);
}

bool read_sprite_name_or_null(ArgumentReader& args, ObjectRef<Sprite>& out) {
    return read_resource(args, out, {"sprite name or null.", loaded_sprite, usable_sprite});
}

bool read_sprite_or_name(ArgumentReader& args, ObjectRef<Sprite>& out) {
    return read_resource(args, out, {"sprite, sprite name or null.", get_or_create<Sprite>});
}

}  // namespace tarn
