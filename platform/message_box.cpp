#include "platform/message_box.hpp"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/process.hpp"

namespace tarn::platform {

namespace {

bool env_set(const char* name) {
    return std::getenv(name) != nullptr;
}

bool dialogs_allowed() {
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && *display != '\0' && !env_set("TARN_NO_DIALOG") && !env_set("CI");
}

void send_all(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        ssize_t sent = send(fd, data.data() + done, data.size() - done, MSG_NOSIGNAL);
        if (sent == -1 && errno == EINTR)
            continue;
        if (sent <= 0)
            return;
        done += static_cast<std::size_t>(sent);
    }
}

// zenity passes the text through g_strcompress, which would turn "C:\new" into a line break.
std::string escape_backslashes(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        if (c == '\\')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

// Runs a dialog program and waits until it is closed; false when it cannot be started.
bool run_dialog(const std::vector<std::string>& argv) {
    std::optional<ChildProcess> child = ChildProcess::spawn(argv);
    if (!child)
        return false;
    child->wait();
    return true;
}

// xmessage would read a text starting with '-' as options, so the text goes through stdin. A
// socket rather than a pipe lets us write with MSG_NOSIGNAL: no SIGPIPE if xmessage dies early.
bool run_xmessage(const std::string& caption, const std::string& text) {
    int fds[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0)
        return false;
    std::optional<ChildProcess> child =
        ChildProcess::spawn({"xmessage", "-title", caption, "-center", "-file", "-"}, fds[1]);
    close(fds[1]);
    if (child)
        send_all(fds[0], text + '\n');
    close(fds[0]);
    if (!child)
        return false;
    child->wait();
    return true;
}

}  // namespace

void show_message_box(const std::string& caption, const std::string& text) {
    const std::string line = (caption.empty() ? text : caption + ": " + text) + '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    if (!dialogs_allowed())
        return;
    // The first program that can be started shows the dialog; how it was closed does not matter.
    if (run_dialog({"zenity", "--error", "--no-markup", "--title=" + caption,
                    "--text=" + escape_backslashes(text)})) {
        return;
    }
    if (run_dialog({"kdialog", "--title", caption, "--error", text}))
        return;
    run_xmessage(caption, text);
}

}  // namespace tarn::platform
