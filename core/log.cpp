#include "core/log.hpp"

#include "platform/console.hpp"
#include "platform/file_system.hpp"

namespace tarn {

void LogFile::open(const WidePath& path) {
    if (file_ != nullptr)
        return;
    create_directories(path);
    file_ = platform::open_file(path.native(), "w");
}

void LogFile::close() {
    if (file_ != nullptr)
        std::fclose(file_);
    file_ = nullptr;
}

void LogFile::write_line(const char* text) {
    if (file_ == nullptr)
        return;
    std::fprintf(file_, "%s\n", text);
    std::fflush(file_);
}

LogFile& log_file() {
    static LogFile file;
    return file;
}

void log_message(const char* text) {
    if (text == nullptr)
        return;
    log_file().write_line(text);
    if (platform::has_console())
        std::printf("%s\n", text);
}

void log_message(const SharedString& text) {
    log_message(text.data());
}

void log_formatted(const char* format, std::va_list args) {
    char text[1024];
    std::vsnprintf(text, sizeof text, format, args);
    log_message(text);
}

}  // namespace tarn
