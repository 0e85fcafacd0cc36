#include "script/engine_object.hpp"

#include "core/log.hpp"
#include "core/message.hpp"
#include "script/class_tables.hpp"

namespace tarn {

ClassDescriptor EngineObject::class_descriptor("EngineObject", nullptr, nullptr, nullptr);

EngineObject::~EngineObject() {
    weak_refs_.clear();
    release_owned();
    unlink_owned(this);
    detach_instance();
}

bool EngineObject::load() {
    load_state_ = kLoaded;
    return true;
}

void EngineObject::add_ref() {
    if (ref_count_++ == 0 && has_instance())
        sq_addref(instance_vm_, &instance_);
}

void EngineObject::release() {
    if (--ref_count_ > 0)
        return;
    if (has_instance()) {
        // The script side now decides; its release hook destroys the object.
        sq_release(instance_vm_, &instance_);
    } else if (!persistent_) {
        destroy();
    }
}

void EngineObject::destroy() {
    remove_from_cache();
    def_.reset();
    delete this;
}

void EngineObject::set_instance(HSQUIRRELVM vm, const HSQOBJECT& instance) {
    instance_vm_ = vm;
    instance_ = instance;
    if (ref_count_ > 0)
        sq_addref(instance_vm_, &instance_);
}

SQInteger EngineObject::instance_released(SQUserPointer object, SQInteger /*size*/) {
    auto* self = static_cast<EngineObject*>(object);
    sq_resetobject(&self->instance_);
    self->instance_vm_ = nullptr;
    // A counted object pins its instance, so it only gets here when the VM closes; it stays.
    if (self->ref_count_ == 0 && !self->persistent_)
        self->destroy();
    return 0;
}

// Unbinds a still living instance so the script side no longer reaches this object.
void EngineObject::detach_instance() {
    if (!has_instance())
        return;
    HSQUIRRELVM vm = instance_vm_;
    sq_pushobject(vm, instance_);
    sq_setinstanceup(vm, -1, nullptr);
    sq_setreleasehook(vm, -1, nullptr);
    sq_poptop(vm);
    HSQOBJECT instance = instance_;
    sq_resetobject(&instance_);
    instance_vm_ = nullptr;
    if (ref_count_ > 0)
        sq_release(vm, &instance);
}

void EngineObject::remove_from_cache() {
    if (def_.type() == OT_STRING)
        cache_remove(descriptor(), def_, this);
}

void EngineObject::set_def(const ScriptObject& value) {
    remove_from_cache();
    def_ = value;
    if (def_.type() == OT_STRING)
        cache_store(descriptor(), def_, this);
}

void EngineObject::set_def_name(HSQUIRRELVM vm, const char* name) {
    sq_pushstring(vm, name, -1);
    ScriptObject value(vm, -1);
    sq_poptop(vm);
    set_def(value);
}

SharedString EngineObject::get_def_name() const {
    if (def_.type() != OT_STRING)
        return SharedString();
    return SharedString(sq_objtostring(&def_.handle()));
}

ScriptObject EngineObject::get_def() const {
    if (def_.type() != OT_STRING)
        return def_;
    return find_def(descriptor(), sq_objtostring(&def_.handle()));
}

bool EngineObject::load_object() {
    load();
    if (load_state_ == kLoaded)
        return true;
    log_message(message("Error: %1 '%2' failed to load.", descriptor().name, get_def_name()));
    return false;
}

bool EngineObject::ensure_loaded() {
    if (load_state_ == kLoaded)
        return true;
    if (load_state_ == kFailed)
        return false;
    return load_object();
}

void EngineObject::set_owner(EngineObject* owner) {
    EngineObject* old_owner = owner_links_.owner;
    if (owner == old_owner)
        return;
    unlink_owned(this);
    if (owner != nullptr)
        link_owned(owner, this);
    if (old_owner == nullptr)
        add_ref();
    if (owner == nullptr)
        release();  // last: may destroy this object
}

void EngineObject::release_owned() {
    while (EngineObject* owned = owner_links_.first_owned) {
        unlink_owned(owned);
        owned->release();
    }
}

}  // namespace tarn
