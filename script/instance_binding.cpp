#include "script/instance_binding.hpp"

#include "core/fatal.hpp"
#include "script/engine_object.hpp"

namespace tarn {

void attach(HSQUIRRELVM vm, SQInteger index, EngineObject* object) {
    if (SQ_FAILED(sq_setinstanceup(vm, index, object))) {
        fatal_internal_error("sq_setinstanceup( v, idx, o ) unpexpectly failed.");
    }
    sq_setreleasehook(vm, index, EngineObject::instance_released);
    HSQOBJECT instance;
    sq_getstackobj(vm, index, &instance);
    object->set_instance(vm, instance);
}

void push_object(HSQUIRRELVM vm, EngineObject* object) {
    if (object == nullptr) {
        sq_pushnull(vm);
        return;
    }
    if (object->has_instance()) {
        sq_pushobject(vm, object->instance());
        return;
    }
    SQInteger top = sq_gettop(vm);
    sq_pushroottable(vm);
    sq_pushstring(vm, object->descriptor().name, -1);
    if (SQ_FAILED(sq_get(vm, top + 1)))
        fatal_internal_error("sq_get( v, top + 1 ) unpexpectly failed.");
    if (SQ_FAILED(sq_createinstance(vm, top + 2))) {
        fatal_internal_error("sq_createinstance( v, top + 2 ) unpexpectly failed.");
    }
    attach(vm, -1, object);
    sq_remove(vm, top + 1);  // the root table
    sq_remove(vm, top + 1);  // the class
}

bool push_method(HSQUIRRELVM vm, EngineObject* object, const char* name) {
    push_object(vm, object);
    sq_pushstring(vm, name, -1);
    if (SQ_FAILED(sq_get(vm, -2)))
        return false;
    sq_push(vm, -2);  // the instance as `this`
    return true;
}

bool call_pushed_method(HSQUIRRELVM vm, SQInteger argument_count) {
    return SQ_SUCCEEDED(sq_call(vm, argument_count + 1, SQFalse, SQTrue));
}

}  // namespace tarn
