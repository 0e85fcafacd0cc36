#include "platform/console.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform_test_support.hpp"

namespace tarn::platform {
namespace {

// Whatever `fd` offers within `timeout_ms`, then whatever follows at once.
std::string read_available(int fd, int timeout_ms) {
    std::string data;
    pollfd waiting{fd, POLLIN, 0};
    char buffer[256];
    ssize_t count;
    while (poll(&waiting, 1, timeout_ms) == 1 && (count = read(fd, buffer, sizeof buffer)) > 0) {
        data.append(buffer, static_cast<std::size_t>(count));
        timeout_ms = 0;
    }
    return data;
}

// Buffered, stdout would keep the "x" and stdin would take both bytes from its pipe.
TEST(PlatformConsole, OpenConsoleMakesStandardStreamsUnbuffered) {
    EXPECT_EQ(test::run_in_child([] {
                  int out[2], in[2];
                  if (pipe(out) != 0 || pipe(in) != 0 || write(in[1], "ab", 2) != 2)
                      return 9;
                  dup2(out[1], STDOUT_FILENO);
                  dup2(in[0], STDIN_FILENO);
                  open_console();
                  std::fputs("x", stdout);
                  if (read_available(out[0], 0) != "x" || std::fgetc(stdin) != 'a')
                      return 1;
                  return read_available(STDIN_FILENO, 0) == "b" ? 0 : 2;
              }),
              0);
}

TEST(PlatformConsole, KeyPressWithoutTerminalNeitherPromptsNorWaits) {
    EXPECT_EQ(test::run_in_child([] {
                  int in[2], out[2];
                  if (pipe(in) != 0 || pipe(out) != 0)
                      return 9;
                  dup2(in[0], STDIN_FILENO);  // stays empty: a read would block until the alarm
                  dup2(out[1], STDOUT_FILENO);
                  alarm(5);
                  wait_for_key_press("Press a key");
                  return read_available(out[0], 0).empty() ? 0 : 1;
              }),
              0);
}

// A pseudo-terminal plays the user's: a child waits for a key on it while the test types. Keys
// typed before the prompt must not count, the key must not echo, and the child exits with 0
// only when the terminal is back in its previous mode.
TEST(PlatformConsole, KeyPressWaitsForOneFreshKeyWithoutEcho) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_TRUE(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0);
    const std::string terminal = ptsname(master);
    int prompt[2];
    ASSERT_EQ(pipe(prompt), 0);
    ASSERT_EQ(write(master, "zz", 2), 2);

    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        alarm(10);
        dup2(open(terminal.c_str(), O_RDWR | O_NOCTTY), STDIN_FILENO);
        dup2(prompt[1], STDOUT_FILENO);
        termios before{}, after{};
        tcgetattr(STDIN_FILENO, &before);
        wait_for_key_press("Press any key");
        tcgetattr(STDIN_FILENO, &after);
        _exit(before.c_lflag == after.c_lflag && before.c_cc[VMIN] == after.c_cc[VMIN] ? 0 : 1);
    }
    EXPECT_EQ(read_available(prompt[0], 5000), "Press any key");
    usleep(300'000);
    EXPECT_EQ(waitpid(child, nullptr, WNOHANG), 0) << "answered by a key typed too early";
    read_available(master, 100);  // the early keys' echo
    ASSERT_EQ(write(master, "k", 1), 1);

    int status = -1;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(read_available(master, 100).find('k'), std::string::npos);
    close(master);
    close(prompt[0]);
    close(prompt[1]);
}

}  // namespace
}  // namespace tarn::platform
