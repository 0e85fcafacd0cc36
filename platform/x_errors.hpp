#pragma once

#include <optional>
#include <string>

struct _XDisplay;  // Xlib's Display

namespace tarn::platform {

// Called with a description of an X error that no trap expected, or of the lost connection to
// the X server. It must end the process: Xlib cannot carry on after either.
using XFailureHandler = void (*)(const char* description);

// Replaces Xlib's handlers, which print to standard error and exit with status 1, for the whole
// process. Call it before the window system opens its display: its own handlers pass what they
// do not handle on to the ones they found.
void install_x_error_handlers(XFailureHandler on_failure);

// While a trap exists, X errors are caught instead of going to the failure handler; the first
// one is kept. Requires install_x_error_handlers. Traps nest: an inner one catches alone.
class XErrorTrap {
public:
    // Errors of earlier requests to the display are reported (to whoever caught them before)
    // first, so that they are not blamed on what follows. A null display is not synchronised.
    explicit XErrorTrap(_XDisplay* display);
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Waits until the server has handled every request sent so far: the first error caught.
    std::optional<std::string> finish();

private:
    _XDisplay* display_;
    std::optional<std::string> error_;
    std::optional<std::string>* outer_error_ = nullptr;
};

}  // namespace tarn::platform
