#include "script/argument_reader.hpp"

#include "core/fatal.hpp"
#include "script/class_descriptor.hpp"

namespace tarn {

SQInteger raise_expecting(HSQUIRRELVM vm, const char* name) {
    SharedString text("Expecting ");
    text.append(name);
    return sq_throwerror(vm, text.data());
}

bool read_integer(HSQUIRRELVM vm, SQInteger index, int& out) {
    SQObjectType type = sq_gettype(vm, index);
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
    SQObjectType type = sq_gettype(vm, index);
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
    if (sq_gettype(vm, index) == OT_STRING && SQ_SUCCEEDED(sq_getstring(vm, index, &out))) {
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

bool read_instance(HSQUIRRELVM vm, SQInteger index, const ClassDescriptor& cls, void*& out) {
    SQUserPointer pointer = nullptr;
    if (sq_gettype(vm, index) != OT_INSTANCE ||
        SQ_FAILED(sq_getinstanceup(vm, index, &pointer, const_cast<void*>(cls.type_tag()))) ||
        pointer == nullptr) {
        raise_expecting(vm, cls.name);
        return false;
    }
    out = pointer;
    return true;
}

bool read_this(HSQUIRRELVM vm, void*& out) {
    SQUserPointer pointer = nullptr;
    if (SQ_FAILED(sq_getinstanceup(vm, 1, &pointer, nullptr))) {
        fatal_internal_error("sq_getinstanceup( v, 1, &up, 0 ) unpexpectly failed.");
    }
    if (pointer == nullptr) {
        sq_throwerror(vm, "the object is not a class instance");
        return false;
    }
    out = pointer;
    return true;
}

SQInteger ArgumentReader::remaining() const {
    return sq_gettop(vm_) - index_ + 1;
}

}  // namespace tarn
