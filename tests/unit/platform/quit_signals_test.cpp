#include "platform/quit_signals.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/events.hpp"

namespace tarn::platform {
namespace {

// Signal handling belongs to the whole process, so every case runs in a child (a death test).
using QuitSignalsDeathTest = ::testing::Test;

const int kQuitSignals[] = {SIGINT, SIGTERM};

void report_forced_exit(const char* signal_name) {
    std::fprintf(stderr, "forced exit after %s\n", signal_name);
}

// Long enough for the watcher to act on a signal it wrongly took for a forced exit.
void give_the_watcher_time() {
    usleep(200 * 1000);
}

TEST(QuitSignalsDeathTest, TheFirstSignalIsAWindowCloseThatTheEventQueueTakesOnce) {
    for (const int signal : kQuitSignals) {
        SCOPED_TRACE(strsignal(signal));
        EXPECT_EXIT(
            {
                QuitSignals signals(report_forced_exit);
                raise(signal);
                WindowEvents events;
                Event event;
                const bool closed = events.poll(event) && event.kind == EventKind::kQuit;
                const bool taken_twice = take_quit_signal();
                // Once the queue has taken it, the next signal is a first one again.
                raise(signal);
                give_the_watcher_time();
                std::_Exit(closed && !taken_twice && take_quit_signal() ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "");
    }
}

TEST(QuitSignalsDeathTest, ASecondSignalBeforeTheQueueIsReadEndsTheProcessByThatSignal) {
    for (const int signal : kQuitSignals) {
        SCOPED_TRACE(strsignal(signal));
        const std::string name = signal == SIGINT ? "SIGINT" : "SIGTERM";
        EXPECT_EXIT(
            {
                QuitSignals signals(report_forced_exit);
                raise(SIGINT + SIGTERM - signal);  // the other one: the two count together
                raise(signal);
                for (;;)
                    pause();
            },
            ::testing::KilledBySignal(signal), "forced exit after " + name);
    }
}

void hang_on_forced_exit(const char* signal_name) {
    std::fprintf(stderr, "saving after %s hangs\n", signal_name);
    for (;;)
        pause();
}

TEST(QuitSignalsDeathTest, AThirdSignalEndsTheProcessWhenTheForcedExitHangs) {
    for (const int signal : kQuitSignals) {
        SCOPED_TRACE(strsignal(signal));
        EXPECT_EXIT(
            {
                QuitSignals signals(hang_on_forced_exit);
                raise(signal);
                raise(signal);
                give_the_watcher_time();
                raise(signal);
                for (;;)
                    pause();
            },
            ::testing::KilledBySignal(signal), "saving after SIG[A-Z]+ hangs");
    }
}

TEST(QuitSignalsDeathTest, ASignalIgnoredAtStartStaysIgnored) {
    for (const int signal : kQuitSignals) {
        SCOPED_TRACE(strsignal(signal));
        EXPECT_EXIT(
            {
                std::signal(signal, SIG_IGN);
                QuitSignals signals(report_forced_exit);
                raise(signal);
                raise(signal);
                give_the_watcher_time();
                std::_Exit(take_quit_signal() ? 1 : 0);
            },
            ::testing::ExitedWithCode(0), "");
    }
}

volatile std::sig_atomic_t earlier_handler_calls = 0;

void earlier_handler(int) {
    earlier_handler_calls = earlier_handler_calls + 1;
}

TEST(QuitSignalsDeathTest, StoppingGivesBackTheEarlierHandling) {
    for (const int signal : kQuitSignals) {
        SCOPED_TRACE(strsignal(signal));
        EXPECT_EXIT(
            {
                std::signal(signal, earlier_handler);
                QuitSignals signals(report_forced_exit);
                raise(signal);
                const bool taken = take_quit_signal();
                signals.stop();
                raise(signal);
                raise(signal);
                std::_Exit(taken && earlier_handler_calls == 2 && !take_quit_signal() ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "");
    }
}

}  // namespace
}  // namespace tarn::platform
