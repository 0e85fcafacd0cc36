#pragma once

#include <squirrel.h>

#include <span>
#include <string>

#include "script/argument_reader.hpp"
#include "script/instance_binding.hpp"
#include "script/script_object.hpp"
#include "script/script_value.hpp"

namespace tarn {

// One native function of a registration table. param_count counts `this`; a negative count -n
// means at least n; 0 with a null mask checks nothing. The mask has one Squirrel type letter
// group per parameter, `this` first ("x", ".s", "xf|i").
struct NativeFunction {
    const char* name;
    SQFUNCTION function;
    SQInteger param_count;
    const char* type_mask;
};

// Hears what the registration operations create in one VM; the script API reference is made
// this way. Constants arrive as their script text (a number, or a quoted string).
class BindingListener {
public:
    virtual ~BindingListener() = default;
    // A table or class; base is null for tables and for classes that extend nothing.
    virtual void container_created(const ScriptObject& container, const char* name,
                                   const ScriptObject* base) = 0;
    virtual void function_bound(const ScriptObject& target, const NativeFunction& function) = 0;
    virtual void constant_bound(const ScriptObject& target, const char* name,
                                const std::string& value) = 0;
};

// Makes listener hear the registrations in vm from now on (null: none). It is kept in the VM's
// foreign pointer, which nothing else uses.
void set_binding_listener(HSQUIRRELVM vm, BindingListener* listener);

// The registration operations. Each creates a slot (not static) in target, a table or a class,
// and leaves the stack as it found it. A failing VM call is an engine fault: it is logged and the
// process aborts; so is a class created under a name that already holds one.
void bind_integer(const ScriptObject& target, const char* name, SQInteger value);
void bind_string(const ScriptObject& target, const char* name, const char* value);
ScriptObject new_table(const ScriptObject& target, const char* name);
// base may be null for a class without a base class.
ScriptObject new_class(const ScriptObject& target, const char* name, const ScriptObject* base,
                       const void* type_tag, SQInteger user_data_size);
void bind_function(const ScriptObject& target, const char* name, SQFUNCTION function,
                   SQInteger param_count, const char* type_mask);
void bind_function(const ScriptObject& target, const NativeFunction& function);
void bind_functions(const ScriptObject& target, std::span<const NativeFunction> functions);

struct ClassDescriptor;
// Creates the script class of a native engine class in the root table, based on its parent's
// class, tagged with its descriptor, and binds its methods.
void register_class(HSQUIRRELVM vm, ClassDescriptor& cls, std::span<const NativeFunction> methods);

// The VM's root, constant and registry tables.
ScriptObject root_table(HSQUIRRELVM vm);
ScriptObject const_table(HSQUIRRELVM vm);
ScriptObject registry_table(HSQUIRRELVM vm);

}  // namespace tarn
