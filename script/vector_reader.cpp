#include "script/vector_reader.hpp"

#include "core/fatal.hpp"

namespace tarn {

namespace {

bool is_number(SQObjectType type) {
    return type == OT_INTEGER || type == OT_FLOAT;
}

// The number at a stack index; false when it is not one.
bool take_number(HSQUIRRELVM vm, SQInteger index, float& out) {
    if (!is_number(sq_gettype(vm, index)))
        return false;
    SQFloat value = 0;
    sq_getfloat(vm, index, &value);
    out = static_cast<float>(value);
    return true;
}

bool read_array_elements(HSQUIRRELVM vm, SQInteger position, int n, float* out) {
    if (sq_getsize(vm, position) != n) {
        sq_throwerror(vm, "Vector array doesn't have right size.");
        return false;
    }
    for (int i = 0; i < n; ++i) {
        sq_pushinteger(vm, i);
        if (SQ_FAILED(sq_rawget(vm, position)))
            fatal_internal_error("sq_rawget( v, idx ) unpexpectly failed.");
        const bool ok = take_number(vm, -1, out[i]);
        sq_poptop(vm);
        if (!ok) {
            sq_throwerror(vm, "Vector array element is not numeric.");
            return false;
        }
    }
    return true;
}

}  // namespace

bool read_vector(ArgumentReader& args, int n, float* out) {
    HSQUIRRELVM vm = args.vm();
    if (!args.at_end() && args.type() == OT_ARRAY) {
        if (!read_array_elements(vm, args.index(), n, out))
            return false;
        args.skip();
        return true;
    }
    for (int i = 0; i < n; ++i) {
        // A missing argument is an error: the stack above the top is never read.
        if (args.at_end() || !take_number(vm, args.index(), out[i])) {
            sq_throwerror(vm, "Expecting numeric.");
            return false;
        }
        args.skip();
    }
    return true;
}

bool read_output_array(ArgumentReader& args, int n, SQInteger& position) {
    HSQUIRRELVM vm = args.vm();
    if (args.at_end() || args.type() != OT_ARRAY) {
        sq_throwerror(vm, "Expecting vector array.");
        return false;
    }
    if (sq_getsize(vm, args.index()) != n) {
        sq_throwerror(vm, "Vector array doesn't have right size.");
        return false;
    }
    position = args.index();
    args.skip();
    return true;
}

void push_vector(HSQUIRRELVM vm, const float* values, int n) {
    sq_newarray(vm, 0);
    for (int i = 0; i < n; ++i) {
        sq_pushfloat(vm, values[i]);
        sq_arrayappend(vm, -2);
    }
}

void write_vector(HSQUIRRELVM vm, SQInteger position, const float* values, int n) {
    const SQInteger array = position > 0 ? position : sq_gettop(vm) + position + 1;
    for (int i = 0; i < n; ++i) {
        sq_pushinteger(vm, i);
        sq_pushfloat(vm, values[i]);
        if (SQ_FAILED(sq_rawset(vm, array)))
            fatal_internal_error("sq_rawset( v, idx ) unpexpectly failed.");
    }
}

}  // namespace tarn
