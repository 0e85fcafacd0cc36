#include "script/script_loader.hpp"

#include "core/log.hpp"
#include "core/message.hpp"
#include "core/std_file.hpp"
#include "script/argument_reader.hpp"
#include "script/script_compiler.hpp"
#include "script/script_host.hpp"

namespace tarn {

namespace {

SQInteger raise(HSQUIRRELVM vm, const SharedString& text) {
    sq_throwerror(vm, text.data());
    return SQ_ERROR;
}

// Loads the precompiled form path + ".bin".
ScriptObject load_binary(HSQUIRRELVM vm, const char* path, SharedString& error) {
    SharedString binary_path(path);
    binary_path.append(".bin");
    Bytes bytes;
    if (!read_file(WidePath(binary_path), bytes)) {
        error = message("Can't load '%1' file.", path);
        return ScriptObject();
    }
    log_message(message("Loading binary script %1", path));
    ScriptObject closure = read_closure(vm, bytes);
    if (closure.is_null())
        error = message("Can't load '%1' binary file.", path);
    return closure;
}

// The closure of the script at path, or null with the error to raise.
ScriptObject load_closure(HSQUIRRELVM vm, const char* path, SharedString& error) {
    Bytes bytes;
    if (!read_file(WidePath(path), bytes))
        return load_binary(vm, path, error);
    ScriptObject closure = compile_text(vm, reinterpret_cast<const char*>(bytes.data()),
                                        static_cast<SQInteger>(bytes.size()), path);
    if (closure.is_null())
        error = ScriptHost::of(vm).compile_error_text();
    return closure;
}

}  // namespace

SQInteger load_script(HSQUIRRELVM vm) {
    const char* path = nullptr;
    if (!read_string(vm, 2, path))
        return SQ_ERROR;
    SharedString error;
    ScriptObject closure = load_closure(vm, path, error);
    if (closure.is_null())
        return raise(vm, error);
    closure.push(vm);
    return 1;
}

SQInteger run_script(HSQUIRRELVM vm) {
    const SQInteger top = sq_gettop(vm);
    if (SQ_FAILED(load_script(vm)))  // leaves the closure on top of the arguments
        return SQ_ERROR;
    sq_pushroottable(vm);
    for (SQInteger index = 3; index <= top; ++index)
        sq_push(vm, index);
    if (SQ_FAILED(sq_call(vm, top - 1, SQTrue, SQTrue)))
        return SQ_ERROR;
    return 1;
}

SQInteger compile_string(HSQUIRRELVM vm) {
    const SQChar* text = nullptr;
    const SQChar* name = "unnamedbuffer";
    sq_getstring(vm, 2, &text);
    if (sq_gettop(vm) > 2)
        sq_getstring(vm, 3, &name);
    ScriptObject closure = compile_text_quietly(vm, text, sq_getsize(vm, 2), name);
    if (closure.is_null())
        return SQ_ERROR;
    closure.push(vm);
    return 1;
}

SQInteger get_last_compile_error_line(HSQUIRRELVM vm) {
    sq_pushinteger(vm, ScriptHost::of(vm).error_state().compile_line);
    return 1;
}

SQInteger get_last_compile_error_column(HSQUIRRELVM vm) {
    sq_pushinteger(vm, ScriptHost::of(vm).error_state().compile_column);
    return 1;
}

}  // namespace tarn
