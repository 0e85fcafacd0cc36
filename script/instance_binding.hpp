#pragma once

#include <squirrel.h>

#include "script/object_reader.hpp"
#include "script/script_object.hpp"
#include "script/script_value.hpp"
#include "script/stack_guard.hpp"

namespace tarn {

class EngineObject;

// Binds the class instance at index to object: user pointer, release hook and the object's
// instance slot. A counted object pins its new instance. A non-instance is an engine fault.
void attach(HSQUIRRELVM vm, SQInteger index, EngineObject* object);
// Pushes object's instance, creating it (without running the constructor) from the root-table
// class named like the object's class on first use; null pushes null.
void push_object(HSQUIRRELVM vm, EngineObject* object);

// The constructor of an EngineObject class T: binds a new T to `this`. An instance that already
// has its object keeps it; anything but an instance of T's class raises "Expecting " + its name.
template <typename T>
SQInteger construct_object(HSQUIRRELVM vm) {
    void* bound = nullptr;
    if (!tagged_instance(vm, 1, InstanceTraits<T>::tag(), bound))
        return raise_expecting(vm, InstanceTraits<T>::name());
    if (bound == nullptr)
        attach(vm, 1, new T);
    return 0;
}

// Internals of call_method, which guards the stack: push_method pushes the method of object's
// instance and the instance as `this` (false when the method is missing), call_pushed_method
// calls it with the arguments pushed above them.
bool push_method(HSQUIRRELVM vm, EngineObject* object, const char* name);
bool call_pushed_method(HSQUIRRELVM vm, SQInteger argument_count);

// Calls the named method of object's script instance with the arguments, errors raised. A
// missing method is skipped (true); false when the call failed.
template <typename... Args>
bool call_method(HSQUIRRELVM vm, EngineObject* object, const char* name, const Args&... args) {
    StackGuard guard(vm);
    if (!push_method(vm, object, name))
        return true;
    (push_value(vm, args), ...);
    return call_pushed_method(vm, sizeof...(Args));
}

}  // namespace tarn
