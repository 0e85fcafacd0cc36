#include "script/resource_binding.hpp"

#include "script/class_tables.hpp"

namespace tarn {

namespace {

// The object create() hands out for the arguments on the stack.
EngineObject* object_to_create(HSQUIRRELVM vm, const ClassDescriptor& cls) {
    if (sq_gettop(vm) < 2)
        return cls.factory();
    const ScriptObject def(vm, 2);
    if (def.type() == OT_STRING) {
        if (EngineObject* cached = cache_lookup(cls, sq_objtostring(&def.handle())))
            return cached;
    }
    EngineObject* object = cls.factory();
    object->set_def(def);
    return object;
}

}  // namespace

SQInteger create_resource(HSQUIRRELVM vm, const ClassDescriptor& cls) {
    if (sq_gettop(vm) > 2)
        return sq_throwerror(vm, "Invalid number of arguments to create().");
    push_object(vm, object_to_create(vm, cls));
    return 1;
}

SQInteger find_resource(HSQUIRRELVM vm, const ClassDescriptor& cls) {
    const char* name = nullptr;
    if (!read_string(vm, 2, name))
        return SQ_ERROR;
    push_object(vm, cache_lookup(cls, name));
    return 1;
}

}  // namespace tarn
