#include "platform/console.hpp"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace tarn::platform {

namespace {

// Switches a terminal to reading single bytes without echo, and restores its mode on exit.
// Leftover bytes of a multi-byte key (arrows send escape sequences) are discarded on restore,
// so they do not reach the shell afterwards.
class RawKeyMode {
public:
    explicit RawKeyMode(int fd) : fd_(fd) {
        if (tcgetattr(fd_, &saved_) != 0)
            return;
        termios raw = saved_;
        raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        active_ = tcsetattr(fd_, TCSANOW, &raw) == 0;
    }
    ~RawKeyMode() {
        if (active_)
            tcsetattr(fd_, TCSAFLUSH, &saved_);
    }
    RawKeyMode(const RawKeyMode&) = delete;
    RawKeyMode& operator=(const RawKeyMode&) = delete;

private:
    int fd_;
    termios saved_{};
    bool active_ = false;
};

}  // namespace

bool has_console() {
    return fcntl(STDOUT_FILENO, F_GETFD) != -1;
}

void open_console() {
    std::setvbuf(stdin, nullptr, _IONBF, 0);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::setvbuf(stderr, nullptr, _IONBF, 0);
}

void flush_console() {
    std::fflush(stdout);
    std::fflush(stderr);
}

void wait_for_key_press(const char* prompt) {
    if (!isatty(STDIN_FILENO))
        return;
    std::fputs(prompt, stdout);
    std::fflush(stdout);

    RawKeyMode mode(STDIN_FILENO);
    // Keys typed before the prompt appeared must not answer it.
    tcflush(STDIN_FILENO, TCIFLUSH);
    char key = 0;
    ssize_t result;
    do {
        result = read(STDIN_FILENO, &key, 1);
    } while (result == -1 && errno == EINTR);
}

}  // namespace tarn::platform
