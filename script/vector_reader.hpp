#pragma once

#include <squirrel.h>

#include "script/argument_reader.hpp"

namespace tarn {

// Script vectors are arrays of 2, 3 or 4 floats; quaternions are vec4 (x, y, z, w).

// Reads a vector of n floats (n = 2, 3 or 4) at the reader's position: either one array of
// exactly n numbers ("Vector array doesn't have right size.", "Vector array element is not
// numeric.") or n consecutive numbers ("Expecting numeric."). Integers become floats. On an
// error the script error is raised and false returned; the caller returns SQ_ERROR.
bool read_vector(ArgumentReader& args, int n, float* out);

// Reads the array of exactly n elements that a result is written into ("Expecting vector
// array.", "Vector array doesn't have right size."); its stack position goes to `position`.
bool read_output_array(ArgumentReader& args, int n, SQInteger& position);

// Pushes a new array of n floats.
void push_vector(HSQUIRRELVM vm, const float* values, int n);
// Overwrites the n elements of the array at a stack position with floats.
void write_vector(HSQUIRRELVM vm, SQInteger position, const float* values, int n);

}  // namespace tarn
