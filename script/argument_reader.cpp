#include "script/argument_reader.hpp"

namespace tarn {

bool read_integer(HSQUIRRELVM vm, SQInteger index, int& out) {
    SQObjectType type = argument_type(vm, index);
    if (type == OT_INTEGER) {
        SQInteger value = 0;
        sq_getinteger(vm, index, &value);
        out = static_cast<int>(value);
        return true;
    }
    if (type == OT_FLOAT) {
        SQFloat value = 0;
        sq_getfloat(vm, index, &value);
        out = static_cast<int>(value);  // truncates toward zero
        return true;
    }
    sq_throwerror(vm, "Expecting integer.");
    return false;
}

bool read_float(HSQUIRRELVM vm, SQInteger index, float& out) {
    SQObjectType type = argument_type(vm, index);
    if (type == OT_INTEGER || type == OT_FLOAT) {
        SQFloat value = 0;
        sq_getfloat(vm, index, &value);
        out = static_cast<float>(value);
        return true;
    }
    sq_throwerror(vm, "Expecting float.");
    return false;
}

bool read_string(HSQUIRRELVM vm, SQInteger index, const char*& out) {
    if (argument_type(vm, index) == OT_STRING && SQ_SUCCEEDED(sq_getstring(vm, index, &out))) {
        return true;
    }
    sq_throwerror(vm, "Expecting string.");
    return false;
}

bool read_string(HSQUIRRELVM vm, SQInteger index, SharedString& out) {
    const char* text = nullptr;
    if (!read_string(vm, index, text))
        return false;
    out = SharedString(text, static_cast<int>(sq_getsize(vm, index)));
    return true;
}

bool truth_of(HSQUIRRELVM vm, SQInteger index) {
    SQBool value = SQFalse;
    sq_tobool(vm, index, &value);
    return value != SQFalse;
}

SQInteger ArgumentReader::remaining() const {
    return sq_gettop(vm_) - index_ + 1;
}

}  // namespace tarn
