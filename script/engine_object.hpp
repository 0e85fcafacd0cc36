#pragma once

#include <squirrel.h>

#include "core/shared_string.hpp"
#include "script/class_descriptor.hpp"
#include "script/object_ref.hpp"
#include "script/owner_links.hpp"
#include "script/script_object.hpp"

namespace tarn {

// The base of every separately allocated script-visible native object: an intrusive reference
// count, an optional script instance, a def (definition name or table), an owner with the
// objects it owns, and weak references.
//
// Lifetime: native holders count references; while the count is above 0 the script instance (if
// any) is kept alive too. When the count reaches 0 the object is destroyed unless it has an
// instance (then the instance decides) or is persistent. When its instance is collected the
// object is destroyed unless native references or the persistent flag keep it.
class EngineObject {
public:
    using InstanceBase = EngineObject;
    enum LoadState { kNotLoaded = 0, kLoaded = 1, kFailed = 2 };

    static ClassDescriptor class_descriptor;

    EngineObject() = default;
    EngineObject(const EngineObject&) = delete;
    EngineObject& operator=(const EngineObject&) = delete;

    virtual const ClassDescriptor& descriptor() const { return class_descriptor; }
    virtual ~EngineObject();
    // Loads the object from its def; sets the load state. The base has nothing to load.
    virtual bool load();

    void add_ref();
    void release();
    int ref_count() const { return ref_count_; }
    bool is_persistent() const { return persistent_; }
    void set_persistent(bool persistent) { persistent_ = persistent; }
    int load_state() const { return load_state_; }
    void set_load_state(int state) { load_state_ = state; }

    // Removes the def's cache entry, drops the def and deletes the object.
    void destroy();

    // The paired script instance (not counted: see add_ref).
    bool has_instance() const { return instance_._type == OT_INSTANCE; }
    HSQUIRRELVM instance_vm() const { return instance_vm_; }
    const HSQOBJECT& instance() const { return instance_; }
    // Records the instance the object was just bound to (attach does this).
    void set_instance(HSQUIRRELVM vm, const HSQOBJECT& instance);
    // The release hook of bound instances.
    static SQInteger instance_released(SQUserPointer object, SQInteger size);
    // Whether the instance at index was bound to a native object by attach (an instance of a
    // value class deriving from EngineObject, such as Time, is not).
    static bool is_bound_instance(HSQUIRRELVM vm, SQInteger index) {
        return sq_getreleasehook(vm, index) == &instance_released;
    }

    // The def: null, a string naming an entry of the class's definition table, or a table.
    const ScriptObject& def() const { return def_; }
    // Replaces the def; a string def enters the class's object cache.
    void set_def(const ScriptObject& value);
    void set_def_name(HSQUIRRELVM vm, const char* name);
    // The def string, or "" when the def is not a string.
    SharedString get_def_name() const;
    // The definition table: the named entry of the definition table, or the def itself.
    ScriptObject get_def() const;
    // Runs load() and logs a failure.
    bool load_object();
    // Loads once: true when loaded, false when it failed now or before.
    bool ensure_loaded();

    EngineObject* owner() const { return owner_links_.owner; }
    EngineObject* first_owned() const { return owner_links_.first_owned; }
    EngineObject* next_owned() const { return owner_links_.next_owned; }
    // Owning holds one reference on the owned object; moving between owners keeps it.
    void set_owner(EngineObject* owner);
    OwnerLinks<EngineObject>& owner_links() { return owner_links_; }
    WeakList& weak_refs() { return weak_refs_; }

private:
    void remove_from_cache();
    void detach_instance();
    void release_owned();

    int ref_count_ = 0;
    bool persistent_ = false;
    int load_state_ = kNotLoaded;
    ScriptObject def_;
    HSQUIRRELVM instance_vm_ = nullptr;
    HSQOBJECT instance_{OT_NULL, {}};
    OwnerLinks<EngineObject> owner_links_;
    WeakList weak_refs_;
};

}  // namespace tarn
