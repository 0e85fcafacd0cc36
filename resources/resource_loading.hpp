#pragma once

#include <squirrel.h>

#include "script/class_descriptor.hpp"
#include "script/engine_object.hpp"

namespace tarn {

// The loaded object of the class defined under name, shared through the class's object cache.
// An object that cannot be had falls back to the class's "_invalid_" definition when fallback is
// set, and the placeholder then answers for the name; otherwise the result is null. The class
// needs a factory. The result carries no reference of the caller's: hold it in an ObjectRef.
EngineObject* get_or_load(HSQUIRRELVM vm, const ClassDescriptor& cls, const char* name,
                          bool fallback);

// The cached object of that name, or a new one whose def is the name (not loaded yet).
EngineObject* get_or_create(HSQUIRRELVM vm, const ClassDescriptor& cls, const char* name);

template <typename T>
T* get_or_load(HSQUIRRELVM vm, const char* name, bool fallback = true) {
    return static_cast<T*>(get_or_load(vm, T::class_descriptor, name, fallback));
}

template <typename T>
T* get_or_create(HSQUIRRELVM vm, const char* name) {
    return static_cast<T*>(get_or_create(vm, T::class_descriptor, name));
}

}  // namespace tarn
