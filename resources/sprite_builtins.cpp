#include "resources/sprite_builtins.hpp"

#include "render/renderer.hpp"
#include "resources/resource_loading.hpp"
#include "resources/sprite.hpp"
#include "script/class_tables.hpp"
#include "script/script_host.hpp"
#include "script/stack_guard.hpp"

namespace tarn {

namespace {

// Declares def name of cls with key = name unless it exists.
void declare(const ClassDescriptor& cls, const char* name, const char* key) {
    if (!find_def(cls, name).is_null())
        return;
    ScriptObject def = new_def(cls, name);
    HSQUIRRELVM vm = def.vm();
    StackGuard guard(vm);
    def.push(vm);
    sq_pushstring(vm, key, -1);
    sq_pushstring(vm, name, -1);
    sq_newslot(vm, -3, SQFalse);
}

template <typename T>
T* keep(HSQUIRRELVM vm, const char* name) {
    T* object = get_or_load<T>(vm, name, false);
    if (object != nullptr)
        object->set_persistent(true);
    return object;
}

}  // namespace

void make_special_resources(Renderer& renderer) {
    HSQUIRRELVM vm = script_host().vm();
    if (vm == nullptr)
        return;
    for (const char* name : {"_white_", "_null_"}) {
        declare(Texture::class_descriptor, name, "_special_");
        declare(Sprite::class_descriptor, name, "texture");
    }
    renderer.set_white_texture(keep<Texture>(vm, "_white_"));
    keep<Texture>(vm, "_null_");
    keep<Sprite>(vm, "_white_");
    keep<Sprite>(vm, "_null_");
}

}  // namespace tarn
