#pragma once

#include <gtest/gtest.h>
#include <squirrel.h>

#include <cstring>
#include <string>

#include "app/script_api.hpp"
#include "script/script_host.hpp"

namespace tarn::test {

// A started script host with helpers to run snippets of script.
class ScriptVm {
public:
    ScriptVm() { host_.start(engine_registrations()); }
    explicit ScriptVm(std::span<const ScriptRegistration> registrations) {
        host_.start(registrations);
    }

    ScriptHost& host() { return host_; }
    HSQUIRRELVM vm() const { return host_.vm(); }

    // Compiles and runs code with the root table as `this`; false when it fails to compile or
    // raises an error.
    bool run(const std::string& code, ScriptObject* result = nullptr) {
        ScriptObject closure =
            host_.compile(code.c_str(), static_cast<SQInteger>(code.size()), "test");
        if (closure.is_null())
            return false;
        return host_.call(closure, ScriptObject(), result);
    }

    // The result of code, which must run.
    ScriptObject eval(const std::string& code) {
        ScriptObject result;
        if (!run(code, &result))
            ADD_FAILURE() << "script failed: " << code;
        return result;
    }
    SQInteger eval_integer(const std::string& code) {
        ScriptObject result = eval(code);
        return result.type() == OT_INTEGER ? sq_objtointeger(&result.handle()) : -99999;
    }
    std::string eval_string(const std::string& code) {
        ScriptObject result = eval(code);
        return result.type() == OT_STRING ? sq_objtostring(&result.handle()) : "<not a string>";
    }

    // The error message code raises (caught inside the script), or "<no error>".
    std::string error_of(const std::string& code) {
        return eval_string("try { " + code + "; return \"<no error>\"; } catch (e) { return e; }");
    }

private:
    ScriptHost host_;
};

}  // namespace tarn::test
