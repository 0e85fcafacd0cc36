#include "core/message.hpp"

#include <cinttypes>
#include <cstdio>

namespace tarn {

namespace {

// Position of the placeholder to fill next, or -1.
int next_placeholder(const SharedString& message) {
    int position = -1;
    char lowest = '9' + 1;
    for (int i = 0; i + 1 < message.length(); ++i) {
        if (message[i] != '%')
            continue;
        const char digit = message[i + 1];
        if (digit >= '0' && digit < lowest) {
            lowest = digit;
            position = i;
        }
        ++i;  // the character after a '%' never starts a placeholder
    }
    return position;
}

}  // namespace

SharedString& arg(SharedString& message, const char* text, int length) {
    const int position = next_placeholder(message);
    if (position < 0)
        return message;
    SharedString filled(message.data(), position);
    filled.append(text, length < 0 ? text_length(text) : length);
    filled.append(message.data() + position + 2, message.length() - position - 2);
    message = filled;
    return message;
}

SharedString& arg(SharedString& message, const SharedString& text) {
    return arg(message, text.data(), text.length());
}

SharedString& arg_integer(SharedString& message, std::int64_t value, int base, bool is_signed) {
    char text[32];
    if (base != 10) {
        std::snprintf(text, sizeof text, "%" PRIx64, static_cast<std::uint64_t>(value));
    } else if (is_signed) {
        std::snprintf(text, sizeof text, "%" PRId64, value);
    } else {
        std::snprintf(text, sizeof text, "%" PRIu64, static_cast<std::uint64_t>(value));
    }
    return arg(message, text);
}

SharedString& arg(SharedString& message, double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", value);
    return arg(message, text);
}

}  // namespace tarn
