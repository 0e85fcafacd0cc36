#include "platform/process.hpp"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <system_error>
#include <thread>
#include <utility>

extern char** environ;

namespace tarn::platform {

namespace {

// Owns the posix_spawn attribute objects for the duration of one spawn.
class SpawnSetup {
public:
    SpawnSetup()
        : actions_ready_(posix_spawn_file_actions_init(&actions) == 0),
          attributes_ready_(posix_spawnattr_init(&attributes) == 0) {}
    ~SpawnSetup() {
        if (attributes_ready_)
            posix_spawnattr_destroy(&attributes);
        if (actions_ready_)
            posix_spawn_file_actions_destroy(&actions);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    // The child starts with no blocked signals and default SIGPIPE/SIGCHLD handling, whatever
    // the engine has arranged for itself.
    bool configure(int stdin_fd) {
        if (!actions_ready_ || !attributes_ready_)
            return false;
        sigset_t empty, defaults;
        sigemptyset(&empty);
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGPIPE);
        sigaddset(&defaults, SIGCHLD);
        const short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
        if (posix_spawnattr_setflags(&attributes, flags) != 0 ||
            posix_spawnattr_setsigmask(&attributes, &empty) != 0 ||
            posix_spawnattr_setsigdefault(&attributes, &defaults) != 0) {
            return false;
        }
        return stdin_fd < 0 ||
               posix_spawn_file_actions_adddup2(&actions, stdin_fd, STDIN_FILENO) == 0;
    }

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;

private:
    bool actions_ready_;
    bool attributes_ready_;
};

int exit_code_of(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::optional<ChildProcess> ChildProcess::spawn(const std::vector<std::string>& argv,
                                                int stdin_fd) {
    if (argv.empty())
        return std::nullopt;
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    SpawnSetup setup;
    if (!setup.configure(stdin_fd))
        return std::nullopt;
    pid_t pid = -1;
    // glibc reports a failed exec (such as a missing program) as an error here.
    if (posix_spawnp(&pid, args[0], &setup.actions, &setup.attributes, args.data(), environ) != 0) {
        return std::nullopt;
    }
    return ChildProcess(pid);
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept : pid_(std::exchange(other.pid_, -1)) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        ChildProcess discarded(std::move(*this));
        pid_ = std::exchange(other.pid_, -1);
    }
    return *this;
}

ChildProcess::~ChildProcess() {
    if (pid_ == -1 || try_reap(false))
        return;
    // Still running: a detached thread waits for it so that it does not linger as a zombie.
    // Without threads to spare, a zombie is the lesser evil.
    const pid_t pid = pid_;
    try {
        std::thread([pid] {
            while (waitpid(pid, nullptr, 0) == -1 && errno == EINTR) {
            }
        }).detach();
    } catch (const std::system_error&) {
    }
}

int ChildProcess::wait() {
    if (pid_ == -1)
        return -1;
    return *try_reap(true);
}

std::optional<int> ChildProcess::wait_for(std::chrono::milliseconds timeout) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + timeout;
    while (pid_ != -1) {
        if (std::optional<int> code = try_reap(false))
            return code;
        if (Clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return -1;
}

// The exit code once the child has ended (-1 when waiting fails, e.g. SIGCHLD is ignored and the
// system reaped it already); nothing while it is still running.
std::optional<int> ChildProcess::try_reap(bool block) {
    int status = 0;
    pid_t result;
    do {
        result = waitpid(pid_, &status, block ? 0 : WNOHANG);
    } while (result == -1 && errno == EINTR);
    if (result == 0)
        return std::nullopt;
    pid_ = -1;
    return result == -1 ? -1 : exit_code_of(status);
}

}  // namespace tarn::platform
