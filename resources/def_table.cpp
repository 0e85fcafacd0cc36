#include "resources/def_table.hpp"

#include "script/stack_guard.hpp"

namespace tarn {

bool is_number(const ScriptObject& value) {
    return value.type() == OT_INTEGER || value.type() == OT_FLOAT;
}

float to_float(const ScriptObject& value) {
    return value.type() == OT_INTEGER ? static_cast<float>(sq_objtointeger(&value.handle()))
                                      : sq_objtofloat(&value.handle());
}

std::vector<ScriptObject> elements_of(const ScriptObject& array) {
    std::vector<ScriptObject> out;
    if (array.type() != OT_ARRAY)
        return out;
    HSQUIRRELVM vm = array.vm();
    StackGuard guard(vm);
    array.push(vm);
    const SQInteger size = sq_getsize(vm, -1);
    for (SQInteger i = 0; i < size; ++i) {
        sq_pushinteger(vm, i);
        if (SQ_FAILED(sq_rawget(vm, -2)))
            break;
        out.emplace_back(vm, -1);
        sq_poptop(vm);
    }
    return out;
}

int read_numbers(const ScriptObject& array, std::span<float> out) {
    if (array.type() != OT_ARRAY)
        return -1;
    const std::vector<ScriptObject> items = elements_of(array);
    for (std::size_t i = 0; i < items.size() && i < out.size(); ++i) {
        if (!is_number(items[i]))
            return -1;
        out[i] = to_float(items[i]);
    }
    return static_cast<int>(items.size());
}

ScriptObject DefTable::get(const char* key) const {
    if (is_null())
        return {};
    HSQUIRRELVM vm = table_.vm();
    StackGuard guard(vm);
    table_.push(vm);
    sq_pushstring(vm, key, -1);
    if (SQ_FAILED(sq_rawget(vm, -2)))
        return {};
    return ScriptObject(vm, -1);
}

bool DefTable::has(const char* key) const {
    if (is_null())
        return false;
    HSQUIRRELVM vm = table_.vm();
    StackGuard guard(vm);
    table_.push(vm);
    sq_pushstring(vm, key, -1);
    return SQ_SUCCEEDED(sq_rawget(vm, -2));
}

bool DefTable::boolean(const char* key, bool fallback) const {
    const ScriptObject value = get(key);
    if (value.type() == OT_BOOL)
        return sq_objtobool(&value.handle()) != 0;
    if (is_number(value))
        return to_float(value) != 0.0f;
    return fallback;
}

SharedString DefTable::string(const char* key, const char* fallback) const {
    const ScriptObject value = get(key);
    if (value.is_null())
        return SharedString(fallback);
    if (value.type() != OT_STRING)
        return {};
    HSQUIRRELVM vm = value.vm();
    StackGuard guard(vm);
    value.push(vm);
    const SQChar* text = nullptr;
    sq_getstring(vm, -1, &text);
    return SharedString(text, static_cast<int>(sq_getsize(vm, -1)));
}

int DefTable::integer(const char* key, int fallback) const {
    const ScriptObject value = get(key);
    if (value.type() == OT_INTEGER)
        return static_cast<int>(sq_objtointeger(&value.handle()));
    if (value.type() == OT_FLOAT) {
        const float f = sq_objtofloat(&value.handle());
        if (f != f)
            return fallback;
        // Out-of-range floats would be undefined to convert; they clamp instead.
        if (f >= 2147483520.0f)
            return 2147483647;
        if (f <= -2147483648.0f)
            return -2147483647 - 1;
        return static_cast<int>(f);
    }
    return fallback;
}

float DefTable::number(const char* key, float fallback) const {
    const ScriptObject value = get(key);
    return is_number(value) ? to_float(value) : fallback;
}

bool DefTable::pair(const char* key, std::array<float, 2>& out) const {
    std::array<float, 2> values{};
    if (numbers(key, values) < 2)
        return false;
    out = values;
    return true;
}

bool DefTable::color(const char* key, std::array<float, 4>& out) const {
    std::array<float, 4> values = {1.0f, 1.0f, 1.0f, 1.0f};
    if (numbers(key, values) < 3)
        return false;
    out = values;
    return true;
}

}  // namespace tarn
