#include "script/script_host.hpp"

#include <sqstdaux.h>
#include <sqstdblob.h>
#include <sqstdmath.h>
#include <sqstdstring.h>
#include <sqstdsystem.h>

#include <cstdarg>
#include <cstring>

#include "core/log.hpp"
#include "core/message.hpp"
#include "script/class_tables.hpp"
#include "script/script_compiler.hpp"
#include "script/script_loader.hpp"

namespace tarn {

namespace {

constexpr char kBootText[] =
    "::System.run_script( \"scripts/constants.nut\" ) ; return ::System.run_script( "
    "\"scripts/main.nut\" ) ;";

void print(HSQUIRRELVM /*vm*/, const SQChar* format, ...) {
    std::va_list args;
    va_start(args, format);
    log_formatted(format, args);
    va_end(args);
}

// Keeps the location of the first uncaught runtime error: the function that raised it.
void record_location(HSQUIRRELVM vm, ScriptErrorState& state) {
    SQStackInfos info;
    if (state.has_runtime_location || SQ_FAILED(sq_stackinfos(vm, 1, &info)))
        return;
    state.runtime_function = SharedString(info.funcname != nullptr ? info.funcname : "unknown");
    state.runtime_source = SharedString(info.source != nullptr ? info.source : "unknown");
    state.runtime_line = static_cast<int>(info.line);
    state.has_runtime_location = true;
}

// The report of an uncaught error: its location, the banner with the error text (null when the
// error is not a string) and the call stack.
void report_uncaught_error(HSQUIRRELVM vm, const SQChar* error) {
    record_location(vm, ScriptHost::of(vm).error_state());
    if (SQPRINTFUNCTION print_function = sq_getprintfunc(vm)) {
        if (error != nullptr) {
            print_function(vm, "\nAN ERROR HAS OCCURED [%s]\n", error);
        } else {
            print_function(vm, "\nAN ERROR HAS OCCURED [unknown]\n");
        }
    }
    sqstd_printcallstack(vm);
}

SQInteger on_runtime_error(HSQUIRRELVM vm) {
    const SQChar* error = nullptr;
    if (sq_gettype(vm, 2) == OT_STRING)
        sq_getstring(vm, 2, &error);
    report_uncaught_error(vm, error);
    return 0;
}

// The VM tells this hook about every call and return. Its stacks grow without bound, so a
// script that recurses without end would take all memory; past kMaxCallDepth nested calls the
// hook stops it. A hook cannot make the call fail, so the call is reported as an uncaught error
// raised by the caller and ends the process, as an error escaping a callback does.
void limit_call_depth(HSQUIRRELVM vm, SQInteger event, const SQChar* /*source*/, SQInteger /*line*/,
                      const SQChar* /*function*/) {
    SQStackInfos deepest;
    if (event != 'c' || SQ_FAILED(sq_stackinfos(vm, kMaxCallDepth, &deepest)))
        return;
    const SharedString error = message("Script calls nested more than %1 deep.", kMaxCallDepth);
    report_uncaught_error(vm, error.data());
    const SharedString text = ScriptHost::of(vm).error_text(error);
    log_message(text);
    fatal_script_error(text);
}

void register_standard_library(HSQUIRRELVM vm) {
    sq_pushroottable(vm);
    sqstd_register_mathlib(vm);
    sqstd_register_stringlib(vm);
    sqstd_register_bloblib(vm);
    sqstd_register_systemlib(vm);
    // In place of the base library's compilestring, which would compile without the engine's
    // guard against deep nesting.
    sq_pushstring(vm, "compilestring", -1);
    sq_newclosure(vm, compile_string, 0);
    sq_setparamscheck(vm, -2, ".ss");
    sq_setnativeclosurename(vm, -1, "compilestring");
    sq_newslot(vm, -3, SQFalse);
    sq_poptop(vm);
}

}  // namespace

ScriptHost::~ScriptHost() {
    close();
}

void ScriptHost::start(std::span<const ScriptRegistration> registrations) {
    log_message("Initializing squirrel...");
    vm_ = sq_open(1024);
    if (vm_ == nullptr)
        fatal_internal_error("Can't initialize squirrel.");
    sq_setsharedforeignptr(vm_, this);
    sq_setprintfunc(vm_, print, print);
    sq_setcompilererrorhandler(vm_, report_compile_error);
    sq_newclosure(vm_, on_runtime_error, 0);
    sq_seterrorhandler(vm_);
    sq_setnativedebughook(vm_, limit_call_depth);
    register_standard_library(vm_);
    for (ScriptRegistration registration : registrations)
        registration(vm_);
}

ScriptHost& ScriptHost::of(HSQUIRRELVM vm) {
    return *static_cast<ScriptHost*>(sq_getsharedforeignptr(vm));
}

void ScriptHost::report_compile_error(HSQUIRRELVM vm, const SQChar* description,
                                      const SQChar* source, SQInteger line, SQInteger column) {
    ScriptHost& host = of(vm);
    host.errors_.compile_description = SharedString(description);
    host.errors_.compile_source = SharedString(source);
    host.errors_.compile_line = static_cast<int>(line);
    host.errors_.compile_column = static_cast<int>(column);
    log_message(host.compile_error_text());
}

// Empties the VM's tables and collects, so that native objects bound to instances die while
// the VM still works; then closes it.
void ScriptHost::close() {
    if (vm_ == nullptr)
        return;
    release_class_tables();
    sq_settop(vm_, 0);
    sq_pushroottable(vm_);
    sq_clear(vm_, -1);
    sq_pushregistrytable(vm_);
    sq_clear(vm_, -1);
    sq_pushconsttable(vm_);
    sq_clear(vm_, -1);
    sq_settop(vm_, 0);
    while (sq_collectgarbage(vm_) > 0) {
    }
    sq_close(vm_);
    vm_ = nullptr;
}

ScriptObject ScriptHost::compile(const char* text, SQInteger length, const char* source_name) {
    return compile_text(vm_, text, length, source_name);
}

void ScriptHost::push_callee(const ScriptObject& closure, const ScriptObject& self) {
    closure.push(vm_);
    if (self.is_null())
        sq_pushroottable(vm_);
    else
        self.push(vm_);
}

bool ScriptHost::finish_call(SQInteger argument_count, ScriptObject* result) {
    bool want_result = result != nullptr;
    if (SQ_FAILED(sq_call(vm_, argument_count + 1, want_result ? SQTrue : SQFalse, SQTrue))) {
        explain_refused_call();
        log_message(error_text());
        return false;
    }
    if (want_result)
        *result = ScriptObject(vm_, -1);
    return true;
}

// The VM refuses to call a value that is not a function without setting an error; such a
// value (left on top by the call) gets the text the VM raises when a script makes the same
// mistake.
void ScriptHost::explain_refused_call() {
    const SQObjectType callee = sq_gettype(vm_, -1);
    if (callee == OT_CLOSURE || callee == OT_NATIVECLOSURE || callee == OT_CLASS ||
        SQ_FAILED(sq_typeof(vm_, -1))) {
        return;
    }
    const SQChar* type = nullptr;
    sq_getstring(vm_, -1, &type);
    sq_throwerror(vm_, message("attempt to call '%1'", type).data());
    sq_poptop(vm_);
}

ScriptObject ScriptHost::find_method(const ScriptObject& target, const char* name) {
    if (target.is_null())
        return ScriptObject();
    StackGuard guard(vm_);
    target.push(vm_);
    sq_pushstring(vm_, name, -1);
    if (SQ_FAILED(sq_get(vm_, -2)))
        return ScriptObject();
    return ScriptObject(vm_, -1);
}

SharedString ScriptHost::error_text() const {
    SharedString error("Unknown error.");
    sq_getlasterror(vm_);
    const SQChar* text = nullptr;
    if (sq_gettype(vm_, -1) == OT_STRING && SQ_SUCCEEDED(sq_getstring(vm_, -1, &text)) &&
        *text != '\0') {
        error = SharedString(text);
    }
    sq_poptop(vm_);
    return error_text(error);
}

SharedString ScriptHost::error_text(SharedString error) const {
    error.append("\n");
    error.append(runtime_location_text(errors_));
    return error;
}

ScriptObject ScriptHost::run_boot_script() {
    ScriptObject closure = compile(kBootText, std::strlen(kBootText), "boot.nut");
    if (closure.is_null()) {
        log_message(message("Error compiling script from source '%1': %2", "boot.nut",
                            compile_error_text()));
    }
    ScriptObject game;
    if (!call(closure, ScriptObject(), &game)) {
        log_message("Error running boot script.");
        fatal_script_error(error_text());
    }
    return game;
}

}  // namespace tarn
