#pragma once

#include <squirrel.h>

#include "script/argument_reader.hpp"
#include "script/class_descriptor.hpp"
#include "script/engine_object.hpp"
#include "script/instance_binding.hpp"
#include "script/object_reader.hpp"
#include "script/object_ref.hpp"
#include "script/script_value.hpp"

// The script glue every resource class shares, written once and generic over the class T: an
// EngineObject class whose descriptor names its definition and cache tables and has a factory.
// A resource class lists the functions it offers in its method table, for example
//   {"constructor", construct_object<T>, 1, "x"},  {"create", create_resource<T>, -1, nullptr},
//   {"find", find_resource<T>, 2, ".s"},            {"load", load_resource<T>, 1, "x"},
// and reads its arguments given by name or instance with read_resource.
namespace tarn {

// create([def]) of cls: with no argument a new object without a def; with a string naming a
// cached object that object; with any other single argument a new object with the argument as
// its def. Not loaded. More arguments raise "Invalid number of arguments to create().".
SQInteger create_resource(HSQUIRRELVM vm, const ClassDescriptor& cls);
// find(name) of cls: the cached object of that name, or null.
SQInteger find_resource(HSQUIRRELVM vm, const ClassDescriptor& cls);

template <typename T>
SQInteger create_resource(HSQUIRRELVM vm) {
    return create_resource(vm, T::class_descriptor);
}

template <typename T>
SQInteger find_resource(HSQUIRRELVM vm) {
    return find_resource(vm, T::class_descriptor);
}

// load(): whether `this` is loaded, loading it on the first call only.
template <typename T>
SQInteger load_resource(HSQUIRRELVM vm) {
    T* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    push_value(vm, self->ensure_loaded());
    return 1;
}

// What a resource argument given by name or instance stands for.
template <typename T>
struct ResourceArgument {
    // The error for a value of another type is "Expecting " + expecting.
    const char* expecting;
    // The object a name gives (created, or loaded with its fallback).
    T* (*by_name)(HSQUIRRELVM vm, const char* name);
    // What stands in for a T given as an instance; null keeps the instance's own object.
    T* (*for_instance)(HSQUIRRELVM vm, T* object) = nullptr;
};

// Reads a resource argument: null gives null, a string gives how.by_name of it, an instance of
// T's class gives its object (through how.for_instance when set) and an instance of any other
// class gives null. Anything else raises "Expecting " + how.expecting. Advances the reader by one.
template <typename T>
bool read_resource(ArgumentReader& args, ObjectRef<T>& out, const ResourceArgument<T>& how) {
    HSQUIRRELVM vm = args.vm();
    const char* name = nullptr;
    switch (args.type()) {
        case OT_NULL:
            out.reset();
            break;
        case OT_INSTANCE: {
            T* object = object_at<T>(vm, args.index());
            out.reset(object != nullptr && how.for_instance ? how.for_instance(vm, object)
                                                            : object);
            break;
        }
        case OT_STRING:
            if (!read_string(vm, args.index(), name))
                return false;
            out.reset(how.by_name(vm, name));
            break;
        default:
            raise_expecting(vm, how.expecting);
            return false;
    }
    args.skip();
    return true;
}

}  // namespace tarn
