#pragma once

#include <squirrel.h>

namespace tarn {

// System.load_script(path): the compiled closure of the file, or of path + ".bin" when only
// the precompiled form exists.
SQInteger load_script(HSQUIRRELVM vm);
// System.run_script(path, ...): loads the script and calls it with the root table as `this`
// and the further arguments; returns its result.
SQInteger run_script(HSQUIRRELVM vm);
// The standard compilestring(text, name = "unnamedbuffer"): the closure of text, or the
// compiler's description raised as the error; nothing is reported. It runs on the engine's
// compiler, which stops text nested too deeply.
SQInteger compile_string(HSQUIRRELVM vm);
// System.get_last_script_compile_error_line_numer / _column_numer.
SQInteger get_last_compile_error_line(HSQUIRRELVM vm);
SQInteger get_last_compile_error_column(HSQUIRRELVM vm);

}  // namespace tarn
