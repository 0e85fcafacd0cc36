#include "script/class_tables.hpp"

#include "core/fatal.hpp"
#include "core/log.hpp"
#include "core/message.hpp"
#include "script/binding.hpp"
#include "script/engine_object.hpp"
#include "script/stack_guard.hpp"

namespace tarn {

namespace {

// Whether target has the slot name (raw get, no delegation).
bool has_slot(const ScriptObject& target, const char* name) {
    StackGuard guard(target.vm());
    target.push();
    sq_pushstring(target.vm(), name, -1);
    return SQ_SUCCEEDED(sq_rawget(target.vm(), -2));
}

// The value of slot name in table (a normal get), or null.
ScriptObject get_slot(const ScriptObject& table, const char* name) {
    if (table.is_null())
        return ScriptObject();
    HSQUIRRELVM vm = table.vm();
    StackGuard guard(vm);
    table.push();
    sq_pushstring(vm, name, -1);
    if (SQ_FAILED(sq_get(vm, -2)))
        return ScriptObject();
    return ScriptObject(vm, -1);
}

void setup_group_member(ClassDescriptor& cls, const ScriptObject& root,
                        const ScriptObject& registry) {
    ClassGroup& group = *cls.group;
    cls.defs_name = group.defs_name;
    cls.def_to_obj_name = group.def_to_obj_name;
    if (group.defs.is_null())
        group.defs = new_table(root, group.defs_name);
    if (group.def_to_obj.is_null())
        group.def_to_obj = new_table(registry, group.def_to_obj_name);
    cls.defs = group.defs;
    cls.def_to_obj = group.def_to_obj;
    cls.group_next = group.first_member;
    group.first_member = &cls;
}

void setup_own_tables(ClassDescriptor& cls, const ScriptObject& root,
                      const ScriptObject& registry) {
    if (cls.defs_name != nullptr)
        cls.defs = new_table(root, cls.defs_name);
    if (cls.def_to_obj_name != nullptr)
        cls.def_to_obj = new_table(registry, cls.def_to_obj_name);
}

}  // namespace

void setup_class_tables(HSQUIRRELVM vm) {
    ScriptObject root = root_table(vm);
    ScriptObject registry = registry_table(vm);
    for (ClassDescriptor* cls = first_class_descriptor(); cls != nullptr; cls = cls->next) {
        if (find_class_descriptor(cls->name) != cls)
            fatal_duplicate_class(cls->name);
        if (cls->group != nullptr)
            setup_group_member(*cls, root, registry);
        else
            setup_own_tables(*cls, root, registry);
    }
}

void release_class_tables() {
    for (ClassDescriptor* cls = first_class_descriptor(); cls != nullptr; cls = cls->next) {
        cls->script_class.reset();
        cls->defs.reset();
        cls->def_to_obj.reset();
        cls->group_next = nullptr;
        if (cls->group == nullptr)
            continue;
        cls->group->defs.reset();
        cls->group->def_to_obj.reset();
        cls->group->first_member = nullptr;
    }
}

EngineObject* cache_lookup(const ClassDescriptor& cls, const char* name) {
    ScriptObject entry = get_slot(cls.def_to_obj, name);
    if (entry.type() != OT_USERPOINTER)
        return nullptr;
    return static_cast<EngineObject*>(entry.handle()._unVal.pUserPointer);
}

void cache_store(const ClassDescriptor& cls, const ScriptObject& name, EngineObject* object) {
    if (cls.def_to_obj.is_null())
        return;
    HSQUIRRELVM vm = cls.def_to_obj.vm();
    StackGuard guard(vm);
    cls.def_to_obj.push();
    name.push(vm);
    sq_pushuserpointer(vm, object);
    if (SQ_FAILED(sq_newslot(vm, guard.top() + 1, SQFalse))) {
        fatal_internal_error("sq_newslot( v, top + 1, SQFalse ) unpexpectly failed.");
    }
}

void cache_remove(const ClassDescriptor& cls, const ScriptObject& name,
                  const EngineObject* object) {
    if (cls.def_to_obj.is_null())
        return;
    if (cache_lookup(cls, sq_objtostring(&name.handle())) != object)
        return;
    HSQUIRRELVM vm = cls.def_to_obj.vm();
    cls.def_to_obj.push();
    name.push(vm);
    sq_deleteslot(vm, -2, SQFalse);
    sq_poptop(vm);
}

ScriptObject find_def(const ClassDescriptor& cls, const char* name) {
    ScriptObject entry = get_slot(cls.defs, name);
    return entry.type() == OT_TABLE ? entry : ScriptObject();
}

bool has_def(const ClassDescriptor& cls, const char* name) {
    return !cls.defs.is_null() && has_slot(cls.defs, name);
}

ScriptObject new_def(const ClassDescriptor& cls, const char* name) {
    if (cls.defs.is_null())
        return ScriptObject();
    if (has_def(cls, name))
        log_message(message("Overriding %1 def '%1'.", cls.name, name));
    return new_table(cls.defs, name);
}

}  // namespace tarn
