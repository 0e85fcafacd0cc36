#pragma once

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "support/temp_dir.hpp"

namespace tarn::platform::test {

using tarn::test::read_file_text;
using tarn::test::TempDir;
using tarn::test::write_file;

// Sets an environment variable (or, with nullopt, removes it) until the end of the scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name))
            saved_ = old;
        apply(value);
    }
    ~ScopedEnv() { apply(saved_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void apply(const std::optional<std::string>& value) {
        value ? setenv(name_.c_str(), value->c_str(), 1) : unsetenv(name_.c_str());
    }
    std::string name_;
    std::optional<std::string> saved_;
};

// A fake program: a shell script that writes its arguments, one a line, to `record`.
inline void write_recording_script(const std::string& path, const std::string& record,
                                   const std::string& more = "") {
    write_file(path, "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + record + "'\n" + more + "\n");
    chmod(path.c_str(), 0755);
}

// Runs `body` in a forked child and returns its exit status (-1 when it did not exit normally),
// for checks that change process-wide state such as the standard descriptors.
template <typename Body>
int run_in_child(Body body) {
    std::fflush(nullptr);  // or the child would repeat our pending output
    const pid_t pid = fork();
    if (pid == 0)
        _exit(body());
    int status = 0;
    if (pid == -1 || waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace tarn::platform::test
