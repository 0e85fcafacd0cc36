#include "script/engine_object_script.hpp"

#include "script/binding.hpp"
#include "script/engine_object.hpp"
#include "script/instance_binding.hpp"

namespace tarn {

namespace {

SQInteger get_def_name(HSQUIRRELVM vm) {
    EngineObject* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    return return_string(vm, self->get_def_name());
}

SQInteger get_def(HSQUIRRELVM vm) {
    EngineObject* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    push_value(vm, self->get_def());
    return 1;
}

SQInteger set_def(HSQUIRRELVM vm) {
    EngineObject* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    self->set_def(ScriptObject(vm, 2));
    return 0;
}

// The owner functions name their class "T" in their errors.
SQInteger set_owner(HSQUIRRELVM vm) {
    EngineObject* self = nullptr;
    if (!read_this(vm, self, "T"))
        return SQ_ERROR;
    self->set_owner(sq_gettop(vm) >= 2 ? object_at<EngineObject>(vm, 2) : nullptr);
    return 0;
}

SQInteger get_owner(HSQUIRRELVM vm) {
    EngineObject* self = nullptr;
    if (!read_this(vm, self, "T"))
        return SQ_ERROR;
    push_object(vm, self->owner());
    return 1;
}

constexpr NativeFunction kMethods[] = {
    {"get_def_name", get_def_name, 1, "x"}, {"get_def", get_def, 1, "x"},
    {"set_def", set_def, 2, "x."},          {"set_owner", set_owner, -1, "x"},
    {"get_owner", get_owner, -1, "x"},
};

}  // namespace

void register_engine_object_class(HSQUIRRELVM vm) {
    register_class(vm, EngineObject::class_descriptor, kMethods);
}

}  // namespace tarn
