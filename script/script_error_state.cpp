#include "script/script_error_state.hpp"

#include "core/message.hpp"

namespace tarn {

SharedString compile_error_text(const ScriptErrorState& state) {
    return message("Compile error in '%1', line %2, column %3: %4.", state.compile_source,
                   state.compile_line, state.compile_column, state.compile_description);
}

SharedString runtime_location_text(const ScriptErrorState& state) {
    if (!state.has_runtime_location)
        return SharedString();
    return message("While running %1:%2:%3().", state.runtime_source, state.runtime_line,
                   state.runtime_function);
}

}  // namespace tarn
