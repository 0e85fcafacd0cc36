#pragma once

#include "script/script_object.hpp"

namespace tarn {

class EngineObject;
struct ClassDescriptor;

// Classes that share their definition and object cache tables (the material family,
// resources/material.hpp).
struct ClassGroup {
    ClassDescriptor* base;
    const char* kind;
    const char* defs_name;
    const char* def_to_obj_name;
    ScriptObject defs;
    ScriptObject def_to_obj;
    ClassDescriptor* first_member = nullptr;
};

// The static record of one script-visible native class. Constructing a descriptor links it at
// the front of the process-wide descriptor list (the one documented global list of this module),
// so every class defines its descriptor as a static object. The descriptor's address is the
// type tag of the class's script class.
struct ClassDescriptor {
    using Factory = EngineObject* (*)();

    ClassDescriptor(const char* name, ClassDescriptor* parent, const char* def_to_obj_name,
                    const char* defs_name, ClassGroup* group = nullptr, Factory factory = nullptr);
    ClassDescriptor(const ClassDescriptor&) = delete;
    ClassDescriptor& operator=(const ClassDescriptor&) = delete;

    const void* type_tag() const { return this; }
    // Whether this class is cls or derives from it.
    bool is_a(const ClassDescriptor& cls) const;

    const char* name;
    ClassDescriptor* parent;
    const char* def_to_obj_name;
    const char* defs_name;
    ClassGroup* group;
    Factory factory;
    ClassDescriptor* group_next = nullptr;
    ClassDescriptor* next = nullptr;
    ScriptObject script_class;
    // Definition names to native objects (user pointers); held in the VM's registry table.
    ScriptObject def_to_obj;
    // The definition table in the root table.
    ScriptObject defs;
};

// The head of the descriptor list (the last descriptor constructed).
ClassDescriptor* first_class_descriptor();
ClassDescriptor* find_class_descriptor(const char* name);
// Stops the engine on a class name registered twice, which would leave one of the two classes
// silently unreachable: an internal error naming the class.
[[noreturn]] void fatal_duplicate_class(const char* name);

}  // namespace tarn
