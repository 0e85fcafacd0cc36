#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace tarn::platform {

// A child process started from an argument vector (looked up on PATH, no shell involved, so the
// arguments may hold untrusted text). A child that is never waited for is reaped in the
// background when the object goes away, so no zombie is left behind.
class ChildProcess {
public:
    // Starts argv[0] with the given arguments; stdin_fd, when not -1, becomes its standard input.
    // Nothing when the program cannot be started.
    static std::optional<ChildProcess> spawn(const std::vector<std::string>& argv,
                                             int stdin_fd = -1);

    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    // The child's process id, until it has been reaped.
    pid_t pid() const { return pid_; }
    // Blocks until the child ends: its exit status, or -1 when it did not exit normally.
    int wait();
    // Like wait(), but gives up after the timeout: nothing when the child is still running.
    std::optional<int> wait_for(std::chrono::milliseconds timeout);

private:
    explicit ChildProcess(pid_t pid) : pid_(pid) {}
    std::optional<int> try_reap(bool block);

    pid_t pid_ = -1;  // -1 once reaped or moved from
};

}  // namespace tarn::platform
