#include "platform/quit_signals.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <system_error>

namespace tarn::platform {

namespace {

// A signal handler may only use lock-free atomics and async-signal-safe calls such as write(2),
// so what it shares with the rest of the engine lives here.
static_assert(std::atomic<int>::is_always_lock_free);
std::atomic<int> pending_signal{0};  // a quit signal the event queue has not taken yet
std::atomic<int> forced_exits{0};    // signals that came while one was pending
std::atomic<int> wake_fd{-1};        // write end of the watcher's pipe

// Sent through the pipe instead of a signal number: the watcher ends.
constexpr unsigned char kStopWatcher = 0;

struct WakePipe {
    int read_fd = -1, write_fd = -1;
};

// Made once and never closed: a handler already running on another thread may still write to
// it after stop(). The write end never blocks, so neither does a handler.
const WakePipe& wake_pipe() {
    static const WakePipe fds = [] {
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) != 0)
            return WakePipe{};
        fcntl(ends[1], F_SETFL, O_NONBLOCK);
        return WakePipe{ends[0], ends[1]};
    }();
    return fds;
}

void send_to_watcher(unsigned char byte) {
    [[maybe_unused]] const ssize_t written = write(wake_fd.load(), &byte, 1);
}

// From now on the signal has its default effect: the end of the process.
void restore_default(int signal) {
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigaction(signal, &action, nullptr);
}

void on_quit_signal(int signal) {
    const int saved_errno = errno;
    int none = 0;
    // The first signal waits for the event queue; one more before that means it is not read.
    if (!pending_signal.compare_exchange_strong(none, signal)) {
        if (forced_exits.fetch_add(1) == 0) {
            send_to_watcher(static_cast<unsigned char>(signal));
        } else {
            // Saving hangs as well: the signal, unblocked when this handler returns, ends it.
            restore_default(signal);
            raise(signal);
        }
    }
    errno = saved_errno;
}

void install(int signal, struct sigaction& previous) {
    sigaction(signal, nullptr, &previous);
    if (previous.sa_handler == SIG_IGN)
        return;
    struct sigaction action = {};
    action.sa_handler = on_quit_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

const char* signal_name(int signal) {
    return signal == SIGINT ? "SIGINT" : "SIGTERM";
}

[[noreturn]] void die_of(int signal) {
    std::fflush(nullptr);
    restore_default(signal);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    raise(signal);
    _exit(128 + signal);  // not reached: the default action of both signals ends the process
}

void watch(int read_fd, QuitSignals::ForcedExitHandler on_forced_exit) {
    for (;;) {
        unsigned char byte = kStopWatcher;
        const ssize_t got = read(read_fd, &byte, 1);
        if (got == -1 && errno == EINTR)
            continue;
        if (got != 1 || byte == kStopWatcher)
            return;
        on_forced_exit(signal_name(byte));
        die_of(byte);
    }
}

}  // namespace

QuitSignals::QuitSignals(ForcedExitHandler on_forced_exit) {
    const WakePipe& pipe = wake_pipe();
    if (pipe.read_fd == -1)
        return;  // without a watcher, the window system's own handling stays
    try {
        watcher_ = std::thread(watch, pipe.read_fd, on_forced_exit);
    } catch (const std::system_error&) {
        return;
    }
    wake_fd = pipe.write_fd;
    pending_signal = 0;
    forced_exits = 0;
    install(SIGINT, previous_interrupt_);
    install(SIGTERM, previous_terminate_);
}

void QuitSignals::stop() {
    if (!watcher_.joinable())
        return;
    sigaction(SIGINT, &previous_interrupt_, nullptr);
    sigaction(SIGTERM, &previous_terminate_, nullptr);
    send_to_watcher(kStopWatcher);
    watcher_.join();
}

bool take_quit_signal() {
    return pending_signal.load(std::memory_order_relaxed) != 0 && pending_signal.exchange(0) != 0;
}

}  // namespace tarn::platform
