#include "platform/x_errors.hpp"

#include <X11/Xlib.h>

#include <cstdlib>

namespace tarn::platform {

namespace {

// Xlib's handlers are plain functions for the whole process, so what they report to lives here.
// Only the thread that talks to X (the main thread) reaches it.
XFailureHandler on_x_failure = nullptr;
std::optional<std::string>* active_trap_error =
    nullptr;  // where the innermost trap keeps its error

// "BadValue (integer parameter out of range for operation) in X_ConfigureWindow".
std::string describe(Display* display, const XErrorEvent& error) {
    char text[256] = {};
    XGetErrorText(display, error.error_code, text, sizeof text);
    std::string request = "request " + std::to_string(error.request_code);
    if (error.request_code < 128) {  // the core protocol; extensions have no names in the base
        char name[128] = {};
        XGetErrorDatabaseText(display, "XRequest", std::to_string(error.request_code).c_str(),
                              request.c_str(), name, sizeof name);
        request = name;
    } else {
        request += "." + std::to_string(error.minor_code);
    }
    return std::string(text) + " in " + request;
}

[[noreturn]] void fail(const std::string& description) {
    if (on_x_failure != nullptr)
        on_x_failure(description.c_str());
    std::abort();
}

int on_x_error(Display* display, XErrorEvent* error) {
    if (active_trap_error == nullptr)
        fail(describe(display, *error));
    if (!*active_trap_error)
        *active_trap_error = describe(display, *error);
    return 0;
}

int on_x_io_error(Display* display) {
    fail("lost the connection to the X server \"" + std::string(DisplayString(display)) + "\"");
}

void synchronise(Display* display) {
    if (display != nullptr)
        XSync(display, False);
}

}  // namespace

void install_x_error_handlers(XFailureHandler on_failure) {
    on_x_failure = on_failure;
    XSetErrorHandler(on_x_error);
    XSetIOErrorHandler(on_x_io_error);
}

XErrorTrap::XErrorTrap(_XDisplay* display) : display_(display) {
    synchronise(display_);
    outer_error_ = active_trap_error;
    active_trap_error = &error_;
}

XErrorTrap::~XErrorTrap() {
    active_trap_error = outer_error_;
}

std::optional<std::string> XErrorTrap::finish() {
    synchronise(display_);
    return error_;
}

}  // namespace tarn::platform
