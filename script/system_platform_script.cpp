// System functions of platform services and text conversions.
#include <span>

#include "core/cvar.hpp"
#include "core/os_services.hpp"
#include "script/binding.hpp"
#include "script/system_api.hpp"
#include "script/url_encoding.hpp"

namespace tarn {

namespace {

SQInteger do_nothing(HSQUIRRELVM) {
    return 0;
}

// Base 10 with the C library's rules; 0 when the text does not start with a number.
SQInteger string_to_integer(HSQUIRRELVM vm) {
    const char* text = nullptr;
    if (!read_string(vm, 2, text))
        return SQ_ERROR;
    push_value(vm, parse_integer(text));
    return 1;
}

SQInteger string_to_float(HSQUIRRELVM vm) {
    const char* text = nullptr;
    if (!read_string(vm, 2, text))
        return SQ_ERROR;
    push_value(vm, parse_float(text));
    return 1;
}

SQInteger encode_url(HSQUIRRELVM vm) {
    const char* text = nullptr;
    if (!read_string(vm, 2, text))
        return SQ_ERROR;
    return return_string(vm, encode_for_url(text, static_cast<int>(sq_getsize(vm, 2))));
}

SQInteger open_url_in_shell(HSQUIRRELVM vm) {
    SharedString url;
    if (!read_string(vm, 2, url))
        return SQ_ERROR;
    push_value(vm, open_url(url));
    return 1;
}

SQInteger get_clipboard_text(HSQUIRRELVM vm) {
    return return_string(vm, clipboard_text());
}

// Phone features this platform does not have.
SQInteger is_vibration_available(HSQUIRRELVM vm) {
    push_value(vm, false);
    return 1;
}

SQInteger get_iphone_unique_id(HSQUIRRELVM vm) {
    return return_string(vm, SharedString());
}

constexpr NativeFunction kPlatformFunctions[] = {
    {"string_to_integer", string_to_integer, 2, ".s"},
    {"string_to_float", string_to_float, 2, ".s"},
    {"encode_for_url", encode_url, 2, ".s"},
    {"open_url", open_url_in_shell, 2, ".s"},
    {"get_clipboard_text", get_clipboard_text, 1, "."},
    {"vibrate", do_nothing, 1, "."},
    {"is_vibration_available", is_vibration_available, 1, "."},
    {"get_iphone_unique_id", get_iphone_unique_id, 1, "."},
    {"enable_iphone_idle_timer", do_nothing, 2, ".b|f|i"},
};

}  // namespace

std::span<const NativeFunction> system_platform_functions() {
    return kPlatformFunctions;
}

}  // namespace tarn
