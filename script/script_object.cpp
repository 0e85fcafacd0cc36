#include "script/script_object.hpp"

#include <utility>

namespace tarn {

ScriptObject::ScriptObject(HSQUIRRELVM vm, SQInteger index) {
    sq_resetobject(&handle_);
    HSQOBJECT handle;
    sq_resetobject(&handle);
    if (SQ_SUCCEEDED(sq_getstackobj(vm, index, &handle)))
        hold(vm, handle);
}

ScriptObject::ScriptObject(HSQUIRRELVM vm, const HSQOBJECT& handle) {
    sq_resetobject(&handle_);
    hold(vm, handle);
}

ScriptObject::ScriptObject(const ScriptObject& other) {
    sq_resetobject(&handle_);
    hold(other.vm_, other.handle_);
}

ScriptObject::ScriptObject(ScriptObject&& other) noexcept : vm_(other.vm_), handle_(other.handle_) {
    other.vm_ = nullptr;
    sq_resetobject(&other.handle_);
}

ScriptObject& ScriptObject::operator=(const ScriptObject& other) {
    if (this != &other) {
        // Take the new reference before dropping the old one: they may be the same object.
        ScriptObject copy(other);
        *this = std::move(copy);
    }
    return *this;
}

ScriptObject& ScriptObject::operator=(ScriptObject&& other) noexcept {
    if (this != &other) {
        reset();
        vm_ = other.vm_;
        handle_ = other.handle_;
        other.vm_ = nullptr;
        sq_resetobject(&other.handle_);
    }
    return *this;
}

void ScriptObject::hold(HSQUIRRELVM vm, const HSQOBJECT& handle) {
    vm_ = vm;
    handle_ = handle;
    if (vm_ != nullptr && !is_null())
        sq_addref(vm_, &handle_);
}

void ScriptObject::reset() {
    if (vm_ != nullptr && !is_null())
        sq_release(vm_, &handle_);
    sq_resetobject(&handle_);
    vm_ = nullptr;
}

void ScriptObject::push() const {
    push(vm_);
}

void ScriptObject::push(HSQUIRRELVM vm) const {
    sq_pushobject(vm, handle_);
}

bool ScriptObject::same_as(const ScriptObject& other) const {
    if (handle_._type != other.handle_._type)
        return false;
    if (ISREFCOUNTED(handle_._type))
        return handle_._unVal.pRefCounted == other.handle_._unVal.pRefCounted;
    if (handle_._type == OT_FLOAT)
        return handle_._unVal.fFloat == other.handle_._unVal.fFloat;
    if (handle_._type == OT_USERPOINTER) {
        return handle_._unVal.pUserPointer == other.handle_._unVal.pUserPointer;
    }
    return is_null() || handle_._unVal.nInteger == other.handle_._unVal.nInteger;
}

}  // namespace tarn
