#pragma once

#include <squirrel.h>

#include "script/class_descriptor.hpp"
#include "script/script_object.hpp"

namespace tarn {

class EngineObject;

// Creates the definition tables (root table) and object cache tables (registry table) of every
// descriptor; grouped classes share their group's pair. Runs once per VM, after the classes are
// registered. Two descriptors of one name are an engine fault.
void setup_class_tables(HSQUIRRELVM vm);
// Drops every descriptor's handles into a VM that is about to close.
void release_class_tables();

// The object cached under name for cls, or null.
EngineObject* cache_lookup(const ClassDescriptor& cls, const char* name);
// cache[name] = object (name is a string value). Does nothing for a class without a cache.
void cache_store(const ClassDescriptor& cls, const ScriptObject& name, EngineObject* object);
// Deletes cache[name] only when it still points at object.
void cache_remove(const ClassDescriptor& cls, const ScriptObject& name, const EngineObject* object);

// The entry of that name of cls's definition table when it is a table, else null.
ScriptObject find_def(const ClassDescriptor& cls, const char* name);
// Whether the definition table has the slot, whatever its type.
bool has_def(const ClassDescriptor& cls, const char* name);
// A new empty table under name in the definition table; an existing slot is overridden with a
// warning.
ScriptObject new_def(const ClassDescriptor& cls, const char* name);

}  // namespace tarn
