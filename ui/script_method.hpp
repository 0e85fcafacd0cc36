#pragma once

#include <squirrel.h>

#include "script/game_object.hpp"
#include "script/instance_binding.hpp"
#include "script/script_value.hpp"
#include "script/stack_guard.hpp"

namespace tarn {

enum class MethodCall { kMissing, kDone, kFailed };

// Calls the named method of a game object's script instance with the arguments, if its class
// (or the script subclass) defines one. A failed call leaves its error as the VM's last error.
template <typename... Args>
MethodCall call_if_defined(const GameObject& object, const char* name, const Args&... args) {
    HSQUIRRELVM vm = object.vm();
    StackGuard guard(vm);
    sq_pushobject(vm, object.instance());
    sq_pushstring(vm, name, -1);
    if (SQ_FAILED(sq_get(vm, -2)))
        return MethodCall::kMissing;
    sq_push(vm, -2);  // the instance as `this`
    (push_value(vm, args), ...);
    return call_pushed_method(vm, sizeof...(Args)) ? MethodCall::kDone : MethodCall::kFailed;
}

}  // namespace tarn
