#include "platform/process.hpp"

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <thread>

namespace tarn::platform {
namespace {

using namespace std::chrono_literals;

TEST(PlatformProcess, WaitForReportsTheExitStatusOrGivesUpOnARunningChild) {
    EXPECT_EQ(ChildProcess::spawn({"sh", "-c", "exit 7"}).value().wait_for(5s), 7);
    ChildProcess slow = ChildProcess::spawn({"sleep", "10"}).value();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(slow.wait_for(100ms), std::nullopt);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 100ms);
    kill(slow.pid(), SIGKILL);
    EXPECT_EQ(slow.wait(), -1);  // killed: no exit status
}

// A zombie still answers kill(pid, 0); only a reaped child is gone.
TEST(PlatformProcess, ChildStillRunningWhenDroppedIsReapedLater) {
    const pid_t pid = ChildProcess::spawn({"sleep", "0.2"}).value().pid();
    for (int tries = 0; tries < 300 && kill(pid, 0) == 0; ++tries) {
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_EQ(kill(pid, 0), -1);
}

}  // namespace
}  // namespace tarn::platform
