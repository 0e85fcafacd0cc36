#pragma once

#include <squirrel.h>

#include "core/shared_string.hpp"
#include "script/object_reader.hpp"
#include "script/script_object.hpp"

namespace tarn {

// Checked readers of native-function arguments. On a wrong type each raises its script error
// (sq_throwerror) and returns false; the native function then returns SQ_ERROR. A missing
// argument reads as null.

// An integer, or a float truncated toward zero. "Expecting integer."
bool read_integer(HSQUIRRELVM vm, SQInteger index, int& out);
// A float or an integer. "Expecting float."
bool read_float(HSQUIRRELVM vm, SQInteger index, float& out);
// A string; the characters stay valid while the argument is on the stack. "Expecting string."
bool read_string(HSQUIRRELVM vm, SQInteger index, const char*& out);
bool read_string(HSQUIRRELVM vm, SQInteger index, SharedString& out);
// The truth of an argument: false for false, 0, 0.0 and null, true otherwise.
bool truth_of(HSQUIRRELVM vm, SQInteger index);
// Objects and `this`: read_object and read_this (script/object_reader.hpp).

// Reads arguments in turn, for functions with optional or variant arguments. The first
// argument after `this` is position 2.
class ArgumentReader {
public:
    explicit ArgumentReader(HSQUIRRELVM vm, SQInteger first = 2) : vm_(vm), index_(first) {}

    HSQUIRRELVM vm() const { return vm_; }
    SQInteger index() const { return index_; }
    // Arguments from the current one to the top of the stack.
    SQInteger remaining() const;
    bool at_end() const { return remaining() <= 0; }
    SQObjectType type() const { return argument_type(vm_, index_); }
    void skip() { ++index_; }

    bool read_integer(int& out) { return advance(tarn::read_integer(vm_, index_, out)); }
    bool read_float(float& out) { return advance(tarn::read_float(vm_, index_, out)); }
    bool read_string(SharedString& out) { return advance(tarn::read_string(vm_, index_, out)); }
    bool read_string(const char*& out) { return advance(tarn::read_string(vm_, index_, out)); }
    template <typename T>
    bool read_object(T*& out) {
        return advance(tarn::read_object(vm_, index_, out));
    }
    // Any value.
    ScriptObject read_value() { return ScriptObject(vm_, index_++); }

private:
    bool advance(bool ok) {
        if (ok)
            ++index_;
        return ok;
    }

    HSQUIRRELVM vm_;
    SQInteger index_;
};

}  // namespace tarn
