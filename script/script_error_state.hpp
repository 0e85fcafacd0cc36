#pragma once

#include "core/shared_string.hpp"

namespace tarn {

// What the VM reported about script errors: the first located runtime error (kept for the
// rest of the process) and the last compile error.
struct ScriptErrorState {
    bool has_runtime_location = false;
    SharedString runtime_function;
    SharedString runtime_source;
    int runtime_line = -1;
    SharedString compile_description;
    SharedString compile_source;
    int compile_line = 0;
    int compile_column = -1;
};

// "Compile error in '<source>', line <l>, column <c>: <description>."
SharedString compile_error_text(const ScriptErrorState& state);
// "While running <source>:<line>:<function>()." once a runtime location exists, else "".
SharedString runtime_location_text(const ScriptErrorState& state);

}  // namespace tarn
