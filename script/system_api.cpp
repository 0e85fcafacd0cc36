#include "script/system_api.hpp"

#include "core/fatal.hpp"
#include "core/log.hpp"
#include "script/script_loader.hpp"

namespace tarn {

namespace {

SQInteger do_nothing(HSQUIRRELVM /*vm*/) {
    return 0;
}

SQInteger log_arguments(HSQUIRRELVM vm) {
    log_message(concatenate_arguments(vm, 2));
    return 0;
}

SQInteger format(HSQUIRRELVM vm) {
    return return_string(vm, concatenate_arguments(vm, 2));
}

SQInteger fatal_error(HSQUIRRELVM vm) {
    fatal_requested_exit(concatenate_arguments(vm, 2));
}

constexpr NativeFunction kScriptFunctions[] = {
    {"load_script", load_script, 2, ".s"},
    {"run_script", run_script, -2, ".s"},
    {"test", do_nothing, 1, "."},
    {"message", log_arguments, 0, nullptr},
    {"warning", log_arguments, 0, nullptr},
    {"error", log_arguments, 0, nullptr},
    {"format", format, 0, nullptr},
    {"fatal_error", fatal_error, 0, nullptr},
    {"get_last_script_compile_error_line_numer", get_last_compile_error_line, 1, "."},
    {"get_last_script_compile_error_column_numer", get_last_compile_error_column, 1, "."},
    {"debug_point", do_nothing, 1, "."},
};

}  // namespace

SharedString concatenate_arguments(HSQUIRRELVM vm, SQInteger first) {
    SharedString text;
    SQInteger top = sq_gettop(vm);
    for (SQInteger index = first; index <= top; ++index) {
        const SQChar* part = nullptr;
        if (SQ_SUCCEEDED(sq_tostring(vm, index))) {
            if (SQ_SUCCEEDED(sq_getstring(vm, -1, &part))) {
                text.append(part, static_cast<int>(sq_getsize(vm, -1)));
            }
            sq_poptop(vm);
        }
    }
    return text;
}

std::span<const NativeFunction> system_script_functions() {
    return kScriptFunctions;
}

}  // namespace tarn
