#include "resources/sprite_script.hpp"

#include "resources/sprite.hpp"
#include "script/binding.hpp"
#include "script/class_tables.hpp"

namespace tarn {

namespace {

// The object create() hands out: the cached sprite of a given name, or a new one with the
// argument (if any) as its def.
EngineObject* sprite_to_create(HSQUIRRELVM vm) {
    if (sq_gettop(vm) < 2)
        return new Sprite;
    const ScriptObject def(vm, 2);
    if (def.type() == OT_STRING) {
        const SQChar* name = nullptr;
        sq_getstring(vm, 2, &name);
        if (EngineObject* cached = cache_lookup(Sprite::class_descriptor, name))
            return cached;
    }
    auto* sprite = new Sprite;
    sprite->set_def(def);
    return sprite;
}

SQInteger construct(HSQUIRRELVM vm) {
    SQUserPointer bound = nullptr;
    const void* tag = Sprite::class_descriptor.type_tag();
    if (SQ_FAILED(sq_getinstanceup(vm, 1, &bound, const_cast<void*>(tag))))
        return raise_expecting(vm, Sprite::class_descriptor.name);
    if (bound == nullptr)
        attach(vm, 1, new Sprite);
    return 0;
}

SQInteger create(HSQUIRRELVM vm) {
    if (sq_gettop(vm) > 2)
        return sq_throwerror(vm, "Invalid number of arguments to create().");
    push_object(vm, sprite_to_create(vm));
    return 1;
}

constexpr NativeFunction kMethods[] = {
    {"constructor", construct, 1, "x"},
    {"create", create, -1, nullptr},
};

}  // namespace

void register_sprite_class(HSQUIRRELVM vm) {
    register_class(vm, Sprite::class_descriptor, kMethods);
}

}  // namespace tarn
