#pragma once

#include <squirrel.h>

namespace tarn {

// One script value kept by native code: the VM it lives in and a handle that holds a VM
// reference while the value is not null. Copies add a reference of their own.
class ScriptObject {
public:
    ScriptObject() { sq_resetobject(&handle_); }
    // Takes the value at a stack position.
    ScriptObject(HSQUIRRELVM vm, SQInteger index);
    // Holds an existing handle (adds a reference).
    ScriptObject(HSQUIRRELVM vm, const HSQOBJECT& handle);
    ScriptObject(const ScriptObject& other);
    ScriptObject(ScriptObject&& other) noexcept;
    ScriptObject& operator=(const ScriptObject& other);
    ScriptObject& operator=(ScriptObject&& other) noexcept;
    ~ScriptObject() { reset(); }

    // Drops the reference; the object becomes null (and forgets its VM).
    void reset();
    // Pushes the value (null when the object is null) on the VM's stack.
    void push() const;
    // Pushes on another VM of the same shared state (a thread).
    void push(HSQUIRRELVM vm) const;

    bool is_null() const { return handle_._type == OT_NULL; }
    SQObjectType type() const { return handle_._type; }
    HSQUIRRELVM vm() const { return vm_; }
    const HSQOBJECT& handle() const { return handle_; }

    // The same script value (identity for reference types, equality for the others).
    bool same_as(const ScriptObject& other) const;

private:
    void hold(HSQUIRRELVM vm, const HSQOBJECT& handle);

    HSQUIRRELVM vm_ = nullptr;
    HSQOBJECT handle_;
};

}  // namespace tarn
