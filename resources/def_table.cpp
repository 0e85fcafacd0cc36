#include "resources/def_table.hpp"

namespace tarn {

bool is_number(const ScriptObject& value) {
    return value.type() == OT_INTEGER || value.type() == OT_FLOAT;
}

float to_float(const ScriptObject& value) {
    return value.type() == OT_INTEGER ? static_cast<float>(sq_objtointeger(&value.handle()))
                                      : sq_objtofloat(&value.handle());
}

namespace {

// Up to max numbers of an array; the count read, or -1 when the value is not an array of
// numbers.
int read_numbers(const ScriptObject& array, float* out, int max) {
    if (array.type() != OT_ARRAY)
        return -1;
    HSQUIRRELVM vm = array.vm();
    const SQInteger top = sq_gettop(vm);
    array.push(vm);
    const SQInteger size = sq_getsize(vm, -1);
    int count = 0;
    for (SQInteger i = 0; i < size && count < max; ++i, ++count) {
        sq_pushinteger(vm, i);
        if (SQ_FAILED(sq_rawget(vm, -2)))
            break;
        const ScriptObject element(vm, -1);
        sq_pop(vm, 1);
        if (!is_number(element)) {
            count = -1;
            break;
        }
        out[count] = to_float(element);
    }
    sq_settop(vm, top);
    return count;
}

}  // namespace

ScriptObject DefTable::get(const char* key) const {
    if (is_null())
        return {};
    HSQUIRRELVM vm = table_.vm();
    const SQInteger top = sq_gettop(vm);
    table_.push(vm);
    sq_pushstring(vm, key, -1);
    ScriptObject value;
    if (SQ_SUCCEEDED(sq_rawget(vm, -2)))
        value = ScriptObject(vm, -1);
    sq_settop(vm, top);
    return value;
}

bool DefTable::has(const char* key) const {
    if (is_null())
        return false;
    HSQUIRRELVM vm = table_.vm();
    const SQInteger top = sq_gettop(vm);
    table_.push(vm);
    sq_pushstring(vm, key, -1);
    const bool found = SQ_SUCCEEDED(sq_rawget(vm, -2));
    sq_settop(vm, top);
    return found;
}

bool DefTable::boolean(const char* key, bool fallback) const {
    const ScriptObject value = get(key);
    if (value.type() == OT_BOOL)
        return sq_objtobool(&value.handle()) != 0;
    if (is_number(value))
        return to_float(value) != 0.0f;
    return fallback;
}

SharedString DefTable::string(const char* key) const {
    const ScriptObject value = get(key);
    if (value.type() != OT_STRING)
        return {};
    HSQUIRRELVM vm = value.vm();
    value.push(vm);
    const SQChar* text = nullptr;
    sq_getstring(vm, -1, &text);
    const SharedString result(text, sq_getsize(vm, -1));
    sq_pop(vm, 1);
    return result;
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
    if (read_numbers(get(key), values.data(), 2) < 2)
        return false;
    out = values;
    return true;
}

bool DefTable::color(const char* key, std::array<float, 4>& out) const {
    std::array<float, 4> values = {1.0f, 1.0f, 1.0f, 1.0f};
    if (read_numbers(get(key), values.data(), 4) < 3)
        return false;
    out = values;
    return true;
}

}  // namespace tarn
