#include "script/object_reader.hpp"

#include "core/shared_string.hpp"

namespace tarn {

SQObjectType argument_type(HSQUIRRELVM vm, SQInteger index) {
    return index <= sq_gettop(vm) ? sq_gettype(vm, index) : OT_NULL;
}

SQInteger raise_expecting(HSQUIRRELVM vm, const char* name) {
    SharedString text("Expecting ");
    text.append(name);
    return sq_throwerror(vm, text.data());
}

bool tagged_instance(HSQUIRRELVM vm, SQInteger index, const void* tag, void*& data) {
    if (argument_type(vm, index) != OT_INSTANCE)
        return false;
    SQUserPointer pointer = nullptr;
    if (SQ_FAILED(sq_getinstanceup(vm, index, &pointer, const_cast<void*>(tag)))) {
        sq_reseterror(vm);
        return false;
    }
    data = pointer;
    return true;
}

}  // namespace tarn
