#include "platform/x_errors.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

// After gtest, whose identifiers Xlib's macros (None, Bool) would clash with.
#include <X11/Xlib.h>

namespace tarn::platform {
namespace {

// The handlers are installed for the whole process, so every case runs in a child (a death
// test) against the test's X server.
class XErrorsDeathTest : public ::testing::Test {
protected:
    void SetUp() override {
        Display* display = XOpenDisplay(nullptr);
        if (display == nullptr)
            GTEST_SKIP() << "needs an X display (tools/with-display)";
        XCloseDisplay(display);
    }
};

void report_failure(const char* description) {
    std::fprintf(stderr, "failure: %s\n", description);
    std::abort();
}

Display* open_display_with_handlers() {
    install_x_error_handlers(report_failure);
    return XOpenDisplay(nullptr);
}

void report_trapped(const char* what, const std::optional<std::string>& error) {
    std::fprintf(stderr, "%s: %s\n", what, error ? error->c_str() : "nothing");
}

void create_empty_pixmap(Display* display) {
    XCreatePixmap(display, DefaultRootWindow(display), 0, 1, DefaultDepth(display, 0));
}

void map_unknown_window(Display* display) {
    XMapWindow(display, 0x7ffffff0);
}

struct FaultyRequest {
    void (*send)(Display*);
    const char* description;  // as a pattern
};

const FaultyRequest kFaultyRequests[] = {
    {create_empty_pixmap, "BadValue \\(integer parameter out of range.*\\) in X_CreatePixmap"},
    {map_unknown_window, "BadWindow \\(invalid Window parameter\\) in X_MapWindow"},
};

TEST_F(XErrorsDeathTest, ATrapCatchesTheErrorAndDescribesItsRequest) {
    for (const FaultyRequest& request : kFaultyRequests) {
        SCOPED_TRACE(request.description);
        EXPECT_EXIT(
            {
                Display* display = open_display_with_handlers();
                XErrorTrap trap(display);
                request.send(display);
                request.send(display);  // only the first error is kept
                report_trapped("trapped", trap.finish());
                std::_Exit(0);
            },
            ::testing::ExitedWithCode(0), std::string("trapped: ") + request.description + "\n");
    }
}

TEST_F(XErrorsDeathTest, AnErrorOutsideATrapGoesToTheFailureHandler) {
    for (const FaultyRequest& request : kFaultyRequests) {
        SCOPED_TRACE(request.description);
        EXPECT_EXIT(
            {
                Display* display = open_display_with_handlers();
                { XErrorTrap finished(display); }
                request.send(display);
                XSync(display, False);
                std::_Exit(0);
            },
            ::testing::KilledBySignal(SIGABRT), std::string("failure: ") + request.description);
    }
}

// A trap begins by collecting the errors still on their way, for whoever caught before it.
TEST_F(XErrorsDeathTest, AnInnerTrapCatchesOnlyWhatWasSentInsideIt) {
    EXPECT_EXIT(
        {
            Display* display = open_display_with_handlers();
            XErrorTrap outer(display);
            create_empty_pixmap(display);
            {
                XErrorTrap inner(display);
                map_unknown_window(display);
                report_trapped("inner", inner.finish());
            }
            report_trapped("outer", outer.finish());
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "inner: BadWindow.*\nouter: BadValue.*");
}

TEST_F(XErrorsDeathTest, ALostConnectionGoesToTheFailureHandler) {
    EXPECT_EXIT(
        {
            Display* display = open_display_with_handlers();
            XErrorTrap trap(display);  // no trap stands in for a lost server
            close(ConnectionNumber(display));
            XNoOp(display);
            XSync(display, False);
            std::_Exit(0);
        },
        ::testing::KilledBySignal(SIGABRT), "failure: lost the connection to the X server");
}

}  // namespace
}  // namespace tarn::platform
