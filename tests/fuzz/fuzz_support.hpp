#pragma once

#include <unistd.h>

#include <fcntl.h>
#include <cstdio>
#include <cstdlib>

namespace tarn::fuzz {

// The engine logs every rejected input to standard output; millions of those lines would drown
// libFuzzer's report (which goes to standard error), so they go to /dev/null. With TARN_FUZZ_LOG
// in the environment (to see what the engine says about one reproducer) they stay, unbuffered,
// so that a crash loses none of them.
inline void set_up_engine_log() {
    if (std::getenv("TARN_FUZZ_LOG") != nullptr) {
        std::setvbuf(stdout, nullptr, _IONBF, 0);
        return;
    }
    std::fflush(stdout);
    const int null_device = open("/dev/null", O_WRONLY);
    if (null_device >= 0) {
        dup2(null_device, STDOUT_FILENO);
        close(null_device);
    }
}

// A property every input must keep. A broken one is a finding: report it and crash, so that
// libFuzzer saves the input.
inline void require(bool holds, const char* property) {
    if (holds)
        return;
    std::fprintf(stderr, "Broken property: %s\n", property);
    std::abort();
}

}  // namespace tarn::fuzz
