#pragma once

#include <concepts>
#include <cstdint>

#include "core/shared_string.hpp"

namespace tarn {

// Messages carry numbered placeholders "%1".."%9". Each arg call fills the lowest-numbered one
// (the first occurrence on ties), so a repeated number takes successive arguments.
SharedString& arg(SharedString& message, const char* text, int length = -1);
SharedString& arg(SharedString& message, const SharedString& text);
// Base 10 formats as a decimal (signed or unsigned), any other base as hexadecimal.
SharedString& arg_integer(SharedString& message, std::int64_t value, int base, bool is_signed);
SharedString& arg(SharedString& message, double value);

template <std::integral T>
requires(!std::same_as<T, bool> && !std::same_as<T, char>) SharedString& arg(SharedString& message,
                                                                             T value) {
    return arg_integer(message, static_cast<std::int64_t>(value), 10, std::is_signed_v<T>);
}

// Fills the placeholders of text with args in turn: message("Can't read file '%1'.", path).
template <typename... Args>
SharedString message(const char* text, const Args&... args) {
    SharedString result(text);
    (arg(result, args), ...);
    return result;
}

}  // namespace tarn
