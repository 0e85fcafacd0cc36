#include "platform/clipboard.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

// After gtest, whose identifiers Xlib's macros (None, Bool) would clash with.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

#include "platform/process.hpp"
#include "platform_test_support.hpp"

namespace tarn::platform {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// An owner that answers every request with a large text in pieces (INCR) and never sends the
// empty piece that ends it: each time the reader takes a piece, the next follows after pause.
// Runs in a child process with a connection of its own until it is killed.
[[noreturn]] void serve_endless_text(std::size_t piece_bytes, std::chrono::milliseconds pause) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        _exit(1);
    // The reader's window goes away while a piece is on its way to it.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    const Window owner =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    const Atom incr = XInternAtom(display, "INCR", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    XSetSelectionOwner(display, XInternAtom(display, "CLIPBOARD", False), owner, CurrentTime);
    const std::string piece(piece_bytes, 'x');
    Window reader = None;
    Atom property = None;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == SelectionRequest) {
            const XSelectionRequestEvent& request = event.xselectionrequest;
            reader = request.requestor;
            property = request.property;
            XSelectInput(display, reader, PropertyChangeMask);
            const long announced_size = 1 << 20;
            XChangeProperty(display, reader, property, incr, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(&announced_size), 1);
            XEvent answer{};
            answer.xselection = {SelectionNotify, 0,        True,
                                 display,         reader,   request.selection,
                                 request.target,  property, request.time};
            XSendEvent(display, reader, False, 0, &answer);
        } else if (event.type == PropertyNotify && event.xproperty.window == reader &&
                   event.xproperty.atom == property && event.xproperty.state == PropertyDelete) {
            std::this_thread::sleep_for(pause);
            XChangeProperty(display, reader, property, utf8, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(piece.data()),
                            static_cast<int>(piece.size()));
        }
        XFlush(display);
    }
}

// Runs against the test's X server, with xclip as the application owning the clipboard. The
// suite holds a connection throughout: an X server left without clients resets itself (unless
// started with -noreset) and turns connections away meanwhile.
class PlatformClipboard : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const auto deadline = Clock::now() + 3s;
        while (!(display_ = XOpenDisplay(nullptr)) && std::getenv("DISPLAY") &&
               Clock::now() < deadline) {
            std::this_thread::sleep_for(50ms);
        }
    }
    static void TearDownTestSuite() {
        if (display_ != nullptr)
            XCloseDisplay(display_);
    }
    // The clipboard is shared by everything on the display: tests running in parallel take
    // turns through a lock file.
    void SetUp() override {
        lock_ = open("/tmp/tarn-clipboard-tests.lock", O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        flock(lock_, LOCK_EX);
        if (display_ == nullptr)
            GTEST_SKIP() << "needs an X display (tools/with-display)";
        if (ChildProcess::spawn({"sh", "-c", "command -v xclip >/dev/null"}).value().wait() != 0) {
            GTEST_SKIP() << "needs xclip";
        }
        clipboard_ = XInternAtom(display_, "CLIPBOARD", False);
    }
    void TearDown() override {
        stop_owner();
        close(lock_);
    }

    // Starts xclip offering `data` as `target` on the clipboard, and waits until it owns it.
    void offer(const std::string& data, const std::string& target = "UTF8_STRING") {
        stop_owner();
        test::write_file(folder_ / "data", data);
        owner_ = ChildProcess::spawn({"sh", "-c",
                                      "exec xclip -quiet -sel clipboard -t \"$@\" >/dev/null 2>&1",
                                      "sh", target, folder_ / "data"});
        ASSERT_TRUE(owner_ && owned_within_10s(true));
    }
    // Starts serve_endless_text in a child process and waits until it owns the clipboard.
    void offer_endless_text(std::size_t piece_bytes, std::chrono::milliseconds pause) {
        stop_owner();
        endless_owner_ = fork();
        if (endless_owner_ == 0)
            serve_endless_text(piece_bytes, pause);
        ASSERT_TRUE(endless_owner_ > 0 && owned_within_10s(true));
    }
    // Ends the owner and waits until the server has noticed that the clipboard is free.
    void stop_owner() {
        if (owner_) {
            kill(owner_->pid(), SIGTERM);
            owner_->wait();
            owner_.reset();
        } else if (endless_owner_ > 0) {
            kill(endless_owner_, SIGKILL);
            waitpid(endless_owner_, nullptr, 0);
            endless_owner_ = -1;
        } else {
            return;
        }
        EXPECT_TRUE(owned_within_10s(false));
    }
    bool owned_within_10s(bool owned) {
        for (int tries = 0; tries < 1000; ++tries) {
            if ((XGetSelectionOwner(display_, clipboard_) != None) == owned)
                return true;
            std::this_thread::sleep_for(10ms);
        }
        return false;
    }

    static inline Display* display_ = nullptr;
    Atom clipboard_ = None;
    test::TempDir folder_;
    std::optional<ChildProcess> owner_;
    pid_t endless_owner_ = -1;
    int lock_ = -1;
};

TEST_F(PlatformClipboard, ReadsUtf8AndLatin1Text) {
    offer("héllo ✓\nsecond line");
    EXPECT_EQ(clipboard_text(), "héllo ✓\nsecond line");
    offer("caf\xe9 \xbd", "STRING");
    EXPECT_EQ(clipboard_text(), "café ½");
}

// Beyond the server's largest request the owner sends the text in pieces (INCR).
TEST_F(PlatformClipboard, ReadsHugeTextSentInPieces) {
    const std::size_t size = XExtendedMaxRequestSize(display_) * 4 + 100'000;
    std::string text;
    for (int line = 0; text.size() < size; ++line)
        text += "ü✓ " + std::to_string(line) + '\n';
    offer(text);
    const std::string read = clipboard_text();
    EXPECT_EQ(read.size(), text.size());
    EXPECT_TRUE(read == text);
}

TEST_F(PlatformClipboard, EmptyWithoutTextOrOwner) {
    offer("\x89PNG\r\n", "image/png");  // xclip answers every request with it, as image/png
    EXPECT_EQ(clipboard_text(), "");
    stop_owner();
    EXPECT_EQ(clipboard_text(), "");
}

// The test's own connection takes the clipboard and never answers.
TEST_F(PlatformClipboard, GivesUpOnAnOwnerThatDoesNotAnswer) {
    const Window silent =
        XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(display_, clipboard_, silent, CurrentTime);
    XSync(display_, False);
    const auto start = Clock::now();
    EXPECT_EQ(clipboard_text(), "");
    EXPECT_LT(Clock::now() - start, 3s);
    XDestroyWindow(display_, silent);
}

// An owner that never finishes its text is given up on once the transfer reaches its size or
// its time, whichever comes first.
TEST_F(PlatformClipboard, GivesUpOnATextThatNeverEnds) {
    struct Case {
        const char* what;
        std::size_t piece_bytes;
        std::chrono::milliseconds pause;
        ClipboardLimits limits;
        std::chrono::milliseconds least, most;  // how long giving up may take
    };
    const Case cases[] = {
        {"flood past the size", 1 << 20, 0ms, {1000ms, 60s, 8 << 20}, 0ms, 5s},
        {"trickle past the time", 16, 100ms, {1000ms, 1500ms, 8 << 20}, 1500ms, 4s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        offer_endless_text(c.piece_bytes, c.pause);
        const auto start = Clock::now();
        EXPECT_EQ(clipboard_text(c.limits), "");
        const auto took = Clock::now() - start;
        EXPECT_GE(took, c.least);
        EXPECT_LT(took, c.most);
        stop_owner();
    }
}

}  // namespace
}  // namespace tarn::platform
