#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace tarn::platform {

// How much a clipboard owner may make the reader wait for, and send.
struct ClipboardLimits {
    std::chrono::milliseconds answer_timeout{1000};  // for each answer, or piece of a large text
    std::chrono::milliseconds total_timeout{5000};   // for the whole transfer
    std::size_t max_bytes = 32 << 20;                // the engine's largest text
};

// The text on the desktop clipboard (the X11 CLIPBOARD selection) as UTF-8. Empty when there is
// no display, nobody owns the clipboard, the owner has no text, or it does not send the text
// within the limits.
std::string clipboard_text(const ClipboardLimits& limits = {});

}  // namespace tarn::platform
