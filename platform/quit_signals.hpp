#pragma once

#include <csignal>
#include <thread>

namespace tarn::platform {

// SIGINT and SIGTERM as the engine handles them while an object of this class is active.
// The first signal asks the game to quit: the window's event queue reports it as a window close.
// A second one that arrives before the event queue has been read since means the game does not
// respond: a watcher thread calls on_forced_exit with the signal's name ("SIGTERM"), then the
// process ends the way that signal ends a process; should that hang, a third signal ends it at
// once. A signal the process was started with ignored stays ignored. Construct the object before
// the window system starts, which then leaves both signals alone. One object at a time.
class QuitSignals {
public:
    using ForcedExitHandler = void (*)(const char* signal_name);

    explicit QuitSignals(ForcedExitHandler on_forced_exit);
    ~QuitSignals() { stop(); }
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

    // Gives both signals back their handling from before; a forced exit already under way is
    // let finish (it ends the process). Later calls do nothing.
    void stop();

private:
    std::thread watcher_;
    struct sigaction previous_interrupt_ = {};
    struct sigaction previous_terminate_ = {};
};

// True, once, when a quit signal has arrived since the previous call (main thread).
bool take_quit_signal();

}  // namespace tarn::platform
