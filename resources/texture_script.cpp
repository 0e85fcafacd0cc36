#include "resources/texture_script.hpp"

#include "resources/texture.hpp"
#include "script/binding.hpp"
#include "script/class_tables.hpp"

namespace tarn {

namespace {

// The object create() hands out: the cached texture of a given name, or a new one with the
// argument (if any) as its def.
EngineObject* texture_to_create(HSQUIRRELVM vm) {
    if (sq_gettop(vm) < 2)
        return new Texture;
    const ScriptObject def(vm, 2);
    if (def.type() == OT_STRING) {
        const SQChar* name = nullptr;
        sq_getstring(vm, 2, &name);
        if (EngineObject* cached = cache_lookup(Texture::class_descriptor, name))
            return cached;
    }
    auto* texture = new Texture;
    texture->set_def(def);
    return texture;
}

SQInteger construct(HSQUIRRELVM vm) {
    SQUserPointer bound = nullptr;
    const void* tag = Texture::class_descriptor.type_tag();
    if (SQ_FAILED(sq_getinstanceup(vm, 1, &bound, const_cast<void*>(tag))))
        return raise_expecting(vm, Texture::class_descriptor.name);
    if (bound == nullptr)
        attach(vm, 1, new Texture);
    return 0;
}

SQInteger create(HSQUIRRELVM vm) {
    if (sq_gettop(vm) > 2)
        return sq_throwerror(vm, "Invalid number of arguments to create().");
    push_object(vm, texture_to_create(vm));
    return 1;
}

SQInteger find(HSQUIRRELVM vm) {
    const char* name = nullptr;
    if (!read_string(vm, 2, name))
        return SQ_ERROR;
    push_object(vm, cache_lookup(Texture::class_descriptor, name));
    return 1;
}

SQInteger load(HSQUIRRELVM vm) {
    Texture* self = nullptr;
    if (!read_object(vm, 1, self))
        return SQ_ERROR;
    push_value(vm, self->ensure_loaded());
    return 1;
}

constexpr NativeFunction kMethods[] = {
    {"constructor", construct, 1, "x"},
    {"create", create, -1, nullptr},
    {"find", find, 2, ".s"},
    {"load", load, 1, "x"},
};

}  // namespace

void register_texture_class(HSQUIRRELVM vm) {
    register_class(vm, Texture::class_descriptor, kMethods);
}

}  // namespace tarn
