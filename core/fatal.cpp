#include "core/fatal.hpp"

#include <cstdlib>

#include "core/log.hpp"
#include "platform/console.hpp"
#include "platform/message_box.hpp"

namespace tarn {

namespace {

void show_error_box(const SharedString& text) {
    platform::show_message_box("Error", std::string(text.data(), text.length()));
}

// The log is flushed line by line; the console is not, and abort() would drop what it holds.
[[noreturn]] void abort_with_console_flushed() {
    platform::flush_console();
    std::abort();
}

}  // namespace

void fatal_internal_error(const SharedString& text) {
    log_message(text);
    abort_with_console_flushed();
}

void fatal_script_error(const SharedString& text) {
    show_error_box(text);
    abort_with_console_flushed();
}

void fatal_requested_exit(const SharedString& text) {
    log_message(text);
    show_error_box(text);
    std::exit(0);
}

}  // namespace tarn
