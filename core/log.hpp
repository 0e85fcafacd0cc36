#pragma once

#include <cstdarg>
#include <cstdio>

#include "core/shared_string.hpp"
#include "core/wide_path.hpp"

namespace tarn {

// The log file "game_log.txt". Until it is opened, messages reach only the console.
class LogFile {
public:
    LogFile() = default;
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;
    ~LogFile() { close(); }

    // Creates the missing directories and truncates the file; does nothing when already open.
    // A file that cannot be opened leaves the log closed.
    void open(const WidePath& path);
    void close();
    bool is_open() const { return file_ != nullptr; }
    // Writes one line and flushes it, so the file is complete even if the process aborts.
    void write_line(const char* text);

private:
    std::FILE* file_ = nullptr;
};

// The process-wide log holder.
LogFile& log_file();

// One line to the log file and, when the process has a console, to standard output.
void log_message(const char* text);
void log_message(const SharedString& text);
// printf-style text cut to 1023 characters, as the script VM prints it.
void log_formatted(const char* format, std::va_list args);

}  // namespace tarn
