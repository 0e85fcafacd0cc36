#pragma once

#include <squirrel.h>

#include <concepts>
#include <cstddef>

#include "core/shared_string.hpp"
#include "script/script_object.hpp"

namespace tarn {

class EngineObject;
void push_object(HSQUIRRELVM vm, EngineObject* object);

// Pushing native values as script values, for results and for arguments of script calls.
inline void push_value(HSQUIRRELVM vm, std::nullptr_t) {
    sq_pushnull(vm);
}
inline void push_value(HSQUIRRELVM vm, bool value) {
    sq_pushbool(vm, value ? SQTrue : SQFalse);
}
template <std::integral T>
requires(!std::same_as<T, bool>) void push_value(HSQUIRRELVM vm, T value) {
    sq_pushinteger(vm, static_cast<SQInteger>(value));
}
template <std::floating_point T>
void push_value(HSQUIRRELVM vm, T value) {
    sq_pushfloat(vm, static_cast<SQFloat>(value));
}
inline void push_value(HSQUIRRELVM vm, const char* text) {
    sq_pushstring(vm, text, -1);
}
inline void push_value(HSQUIRRELVM vm, const SharedString& text) {
    sq_pushstring(vm, text.data(), text.length());
}
inline void push_value(HSQUIRRELVM vm, const ScriptObject& value) {
    value.push(vm);
}
template <typename T>
requires std::derived_from<T, EngineObject>
void push_value(HSQUIRRELVM vm, T* object) {
    push_object(vm, object);
}

// Pushes a result and returns 1, the native-function convention for one result.
template <typename T>
SQInteger return_value(HSQUIRRELVM vm, const T& value) {
    push_value(vm, value);
    return 1;
}

// Pushes a string result and returns 1, the native-function convention for one result.
inline SQInteger return_string(HSQUIRRELVM vm, const SharedString& text) {
    push_value(vm, text);
    return 1;
}

}  // namespace tarn
