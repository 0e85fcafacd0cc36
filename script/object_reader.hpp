#pragma once

#include <squirrel.h>

#include "script/class_descriptor.hpp"

namespace tarn {

// The type of the argument at index; OT_NULL past the last argument, since the stack above the
// top still holds values of earlier calls.
SQObjectType argument_type(HSQUIRRELVM vm, SQInteger index);

// Raises "Expecting " + name; returns SQ_ERROR for the native function to return.
SQInteger raise_expecting(HSQUIRRELVM vm, const char* name);

// Whether the value at index is an instance whose class or a base class carries tag; data
// receives the instance's user pointer (null while nothing is bound to it). Leaves no error.
bool tagged_instance(HSQUIRRELVM vm, SQInteger index, const void* tag, void*& data);

// How the native value of class T sits in its script instances. The default serves the classes
// with a class descriptor (the EngineObject and GameObject families): the user pointer is the
// object once InstanceBase has bound it, which tells it apart from an instance the script made
// alone. A class stored another way specialises it.
template <typename T>
struct InstanceTraits {
    static const void* tag() { return T::class_descriptor.type_tag(); }
    static const char* name() { return T::class_descriptor.name; }
    static T* object(HSQUIRRELVM vm, SQInteger index, void* data) {
        if (data == nullptr || !T::InstanceBase::is_bound_instance(vm, index))
            return nullptr;
        return static_cast<T*>(static_cast<typename T::InstanceBase*>(data));
    }
};

// The native T of the instance at index; null for any other value, raising nothing.
template <typename T>
T* object_at(HSQUIRRELVM vm, SQInteger index) {
    void* data = nullptr;
    if (!tagged_instance(vm, index, InstanceTraits<T>::tag(), data))
        return nullptr;
    return InstanceTraits<T>::object(vm, index, data);
}

// The native T of the argument at index. Anything else raises "Expecting " + the class name, or
// + expecting when given.
template <typename T>
bool read_object(HSQUIRRELVM vm, SQInteger index, T*& out, const char* expecting = nullptr) {
    out = object_at<T>(vm, index);
    if (out != nullptr)
        return true;
    raise_expecting(vm, expecting != nullptr ? expecting : InstanceTraits<T>::name());
    return false;
}

// `this` of a native method of T, read the same way by every binding.
template <typename T>
bool read_this(HSQUIRRELVM vm, T*& out, const char* expecting = nullptr) {
    return read_object(vm, 1, out, expecting);
}

}  // namespace tarn
