// System functions over the configuration variables.
#include <span>

#include "core/cvar_list.hpp"
#include "core/log.hpp"
#include "script/binding.hpp"
#include "script/system_api.hpp"

namespace tarn {

namespace {

CVarList& cvars() {
    return cvar_list();
}

SQInteger get_cvar(HSQUIRRELVM vm) {
    const char* name = nullptr;
    if (!read_string(vm, 2, name))
        return SQ_ERROR;
    const SharedString value = cvars().get_string(name);
    sq_pushstring(vm, value.data(), value.length());
    return 1;
}

SQInteger get_cvar_integer(HSQUIRRELVM vm) {
    const char* name = nullptr;
    if (!read_string(vm, 2, name))
        return SQ_ERROR;
    sq_pushinteger(vm, cvars().get_integer(name));
    return 1;
}

SQInteger get_cvar_float(HSQUIRRELVM vm) {
    const char* name = nullptr;
    if (!read_string(vm, 2, name))
        return SQ_ERROR;
    sq_pushfloat(vm, cvars().get_float(name));
    return 1;
}

// The register and set functions share their dispatch on the value's type.
struct CVarWriter {
    CVar& (CVarList::*from_string)(const char*, const SharedString&);
    CVar& (CVarList::*from_integer)(const char*, std::int32_t);
    CVar& (CVarList::*from_float)(const char*, float);
    const char* invalid_type_message;
};

SQInteger write_cvar(HSQUIRRELVM vm, const CVarWriter& writer) {
    const char* name = nullptr;
    if (!read_string(vm, 2, name))
        return SQ_ERROR;
    switch (sq_gettype(vm, 3)) {
        case OT_BOOL: {
            SQBool value = SQFalse;
            sq_getbool(vm, 3, &value);
            (cvars().*writer.from_integer)(name, value ? 1 : 0);
            return 0;
        }
        case OT_INTEGER: {
            int value = 0;
            if (!read_integer(vm, 3, value))
                return SQ_ERROR;
            (cvars().*writer.from_integer)(name, value);
            return 0;
        }
        case OT_FLOAT: {
            float value = 0.0f;
            if (!read_float(vm, 3, value))
                return SQ_ERROR;
            (cvars().*writer.from_float)(name, value);
            return 0;
        }
        case OT_STRING: {
            SharedString value;
            if (!read_string(vm, 3, value))
                return SQ_ERROR;
            (cvars().*writer.from_string)(name, value);
            return 0;
        }
        default:
            log_message(writer.invalid_type_message);
            return 0;
    }
}

SQInteger register_cvar(HSQUIRRELVM vm) {
    static constexpr CVarWriter kRegister = {&CVarList::register_string,
                                             &CVarList::register_integer, &CVarList::register_float,
                                             "Invalid type passed to register_cvar()."};
    return write_cvar(vm, kRegister);
}

SQInteger set_cvar(HSQUIRRELVM vm) {
    static constexpr CVarWriter kSet = {&CVarList::set_string, &CVarList::set_integer,
                                        &CVarList::set_float, "Invalid type passed to set_cvar()."};
    return write_cvar(vm, kSet);
}

SQInteger save_config(HSQUIRRELVM) {
    cvars().save_config();
    return 0;
}

constexpr NativeFunction kConfigFunctions[] = {
    {"get_cvar", get_cvar, 2, ".s"},
    {"get_cvar_integer", get_cvar_integer, 2, ".s"},
    {"get_cvar_float", get_cvar_float, 2, ".s"},
    {"register_cvar", register_cvar, 3, ".s."},
    {"set_cvar", set_cvar, 3, ".s."},
    {"save_config", save_config, 1, "."},
};

}  // namespace

std::span<const NativeFunction> system_config_functions() {
    return kConfigFunctions;
}

}  // namespace tarn
