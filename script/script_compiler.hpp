#pragma once

#include <squirrel.h>

#include "core/std_file.hpp"
#include "script/script_object.hpp"

namespace tarn {

// Compiles text held in memory with errors raised (the VM's compile error handler reports
// them). Text nested too deeply for the compiler's share of the C stack fails with a compile
// error at the place it reached. Null on failure.
ScriptObject compile_text(HSQUIRRELVM vm, const char* text, SQInteger length,
                          const char* source_name);
// The same without reports: a failure only sets the VM's last error to the description.
ScriptObject compile_text_quietly(HSQUIRRELVM vm, const char* text, SQInteger length,
                                  const char* source_name);
// Loads a closure serialised by the VM (sq_writeclosure). Null on failure, which includes
// damaged bytes: they are refused before the VM reads them.
ScriptObject read_closure(HSQUIRRELVM vm, const Bytes& bytes);

}  // namespace tarn
