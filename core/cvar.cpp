#include "core/cvar.hpp"

#include <cinttypes>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tarn {

std::int32_t parse_integer(const char* text) {
    const long long value = std::strtoll(text, nullptr, 10);
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<std::int32_t>(value);
}

float parse_float(const char* text) {
    return static_cast<float>(std::strtod(text, nullptr));
}

void CVar::set(const SharedString& text) {
    value_ = text;
    integer_ = parse_integer(text.data());
    float_ = parse_float(text.data());
    mark_given();
}

void CVar::set(std::int32_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "%" PRId64, static_cast<std::int64_t>(value));
    value_ = SharedString(text);
    integer_ = value;
    float_ = static_cast<float>(value);
    mark_given();
}

void CVar::set(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    value_ = SharedString(text);
    float_ = value;
    // Truncation toward zero; out-of-range and NaN values saturate instead of being undefined.
    if (std::isnan(value)) {
        integer_ = 0;
    } else if (value >= 2147483648.0f) {
        integer_ = INT32_MAX;
    } else if (value <= -2147483648.0f) {
        integer_ = INT32_MIN;
    } else {
        integer_ = static_cast<std::int32_t>(value);
    }
    mark_given();
}

}  // namespace tarn
