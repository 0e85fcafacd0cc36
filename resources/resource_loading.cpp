#include "resources/resource_loading.hpp"

#include "core/log.hpp"
#include "core/message.hpp"
#include "script/class_tables.hpp"

namespace tarn {

namespace {

// Loads a fresh object unless it is loaded already; a failure destroys it.
EngineObject* keep_if_loaded(EngineObject* object) {
    if (object->load_state() == EngineObject::kLoaded || object->load_object())
        return object;
    object->destroy();
    return nullptr;
}

EngineObject* load_placeholder(HSQUIRRELVM vm, const ClassDescriptor& cls, const char* name) {
    const ScriptObject definition = find_def(cls, "_invalid_");
    if (definition.is_null())
        return nullptr;
    EngineObject* placeholder = cls.factory();
    placeholder->set_def(definition);  // a table: nothing enters the cache yet
    if (!keep_if_loaded(placeholder))
        return nullptr;
    placeholder->set_def_name(vm, name);  // later requests for the name get the placeholder
    return placeholder;
}

}  // namespace

EngineObject* get_or_load(HSQUIRRELVM vm, const ClassDescriptor& cls, const char* name,
                          bool fallback) {
    if (EngineObject* cached = cache_lookup(cls, name)) {
        if (cached->ensure_loaded())
            return cached;
    } else if (find_def(cls, name).is_null()) {
        log_message(message("%1: Can't load '%2', def not found.", cls.name, name));
    } else {
        EngineObject* object = cls.factory();
        object->set_def_name(vm, name);
        if (keep_if_loaded(object))
            return object;
    }
    return fallback ? load_placeholder(vm, cls, name) : nullptr;
}

EngineObject* get_or_create(HSQUIRRELVM vm, const ClassDescriptor& cls, const char* name) {
    if (EngineObject* cached = cache_lookup(cls, name))
        return cached;
    EngineObject* object = cls.factory();
    object->set_def_name(vm, name);
    return object;
}

}  // namespace tarn
