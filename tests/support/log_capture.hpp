#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "core/log.hpp"
#include "support/temp_dir.hpp"

namespace tarn::test {

// Sends the engine log to a temporary file for the lifetime of the capture.
class LogCapture {
public:
    LogCapture() {
        log_file().close();
        log_file().open(WidePath((dir_ / "game_log.txt").c_str()));
    }
    ~LogCapture() { log_file().close(); }

    std::vector<std::string> lines() const {
        std::vector<std::string> result;
        std::istringstream in(read_file_text(dir_ / "game_log.txt"));
        for (std::string line; std::getline(in, line);)
            result.push_back(line);
        return result;
    }

private:
    TempDir dir_;
};

}  // namespace tarn::test
