#pragma once

#include <squirrel.h>

#include <span>

#include "core/fatal.hpp"
#include "core/shared_string.hpp"
#include "script/script_error_state.hpp"
#include "script/script_object.hpp"
#include "script/script_value.hpp"
#include "script/stack_guard.hpp"

namespace tarn {

// Script calls may nest this deep; one more is a fatal script error.
inline constexpr SQInteger kMaxCallDepth = 10000;

// One step of registering the engine API in a new VM.
using ScriptRegistration = void (*)(HSQUIRRELVM vm);

// The script VM with its output, error handlers and error state. The engine owns one for the
// whole process (its VM is never closed while the engine runs); a host that is destroyed closes
// its VM after collecting every script object it can.
class ScriptHost {
public:
    ScriptHost() = default;
    ScriptHost(const ScriptHost&) = delete;
    ScriptHost& operator=(const ScriptHost&) = delete;
    ~ScriptHost();

    // Creates and configures the VM, then runs the registrations. A VM that cannot be created
    // aborts the process.
    void start(std::span<const ScriptRegistration> registrations);

    // The host of a VM (or of one of its threads) that start() created.
    static ScriptHost& of(HSQUIRRELVM vm);

    // The VM's compile error handler: stores the error and logs compile_error_text().
    static void report_compile_error(HSQUIRRELVM vm, const SQChar* description,
                                     const SQChar* source, SQInteger line, SQInteger column);

    HSQUIRRELVM vm() const { return vm_; }
    ScriptErrorState& error_state() { return errors_; }
    const ScriptErrorState& error_state() const { return errors_; }

    // A closure for source text held in memory, or null (the error is logged).
    ScriptObject compile(const char* text, SQInteger length, const char* source_name);

    // Calls closure with self as `this` (the root table when self is null) and the arguments,
    // errors raised. Stores the result when result is given. A failure logs error_text().
    template <typename... Args>
    bool call(const ScriptObject& closure, const ScriptObject& self, ScriptObject* result,
              const Args&... args) {
        StackGuard guard(vm_);
        push_callee(closure, self);
        (push_value(vm_, args), ...);
        return finish_call(sizeof...(Args), result);
    }

    // Calls target's method name (found with a delegating get) with the arguments and ignores
    // its result. A null target or a missing method does nothing; a failure is a fatal script
    // error.
    template <typename... Args>
    void call_callback(const ScriptObject& target, const char* name, const Args&... args) {
        ScriptObject method = find_method(target, name);
        if (method.is_null())
            return;
        // Failed lookups (this one's among them) leave errors behind that would otherwise be
        // reported for a call the VM refuses without giving a reason.
        sq_reseterror(vm_);
        if (!call(method, target, nullptr, args...))
            fatal_script_error(error_text());
    }

    // The VM's last error ("Unknown error." when it is not a non-empty string), "\n" and the
    // location of the first located runtime error, if any.
    SharedString error_text() const;
    // The same for the given error.
    SharedString error_text(SharedString error) const;
    SharedString compile_error_text() const { return tarn::compile_error_text(errors_); }

    // Runs the boot text and returns its result, the game object. A failure is a fatal script
    // error.
    ScriptObject run_boot_script();

private:
    void push_callee(const ScriptObject& closure, const ScriptObject& self);
    bool finish_call(SQInteger argument_count, ScriptObject* result);
    void explain_refused_call();
    ScriptObject find_method(const ScriptObject& target, const char* name);
    void close();

    HSQUIRRELVM vm_ = nullptr;
    ScriptErrorState errors_;
};

// The engine's script VM. A process-wide object created at start-up (app/singletons.cpp).
ScriptHost& script_host();

}  // namespace tarn
