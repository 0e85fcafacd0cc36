#pragma once

#include "core/shared_string.hpp"

namespace tarn {

// The three ways the engine stops on a fatal error. None runs the shutdown steps.

// A failure that cannot happen in a correct engine: log, then abort.
[[noreturn]] void fatal_internal_error(const SharedString& text);
// An error escaping a script: message box titled "Error", then abort. The failed call has
// already logged the text, so it is not logged twice.
[[noreturn]] void fatal_script_error(const SharedString& text);
// A script asked to stop with a message: log, message box titled "Error", exit with status 0.
[[noreturn]] void fatal_requested_exit(const SharedString& text);

}  // namespace tarn
