#pragma once

#include <cstdint>

#include "core/shared_string.hpp"

namespace tarn {

// A named setting, readable at once as text, integer and float.
class CVar {
public:
    enum Flags : std::uint32_t { kHasValue = 1, kRegistered = 2, kSave = 4 };

    explicit CVar(const SharedString& name) : name_(name) {}

    const SharedString& name() const { return name_; }
    const SharedString& value() const { return value_; }
    std::int32_t integer_value() const { return integer_; }
    float float_value() const { return float_; }

    bool has(Flags flag) const { return (flags_ & flag) != 0; }
    void set_flag(Flags flag) { flags_ |= flag; }
    void clear_flag(Flags flag) { flags_ &= ~flag; }

    // Each setter derives the other two forms and marks the value as given and to be saved.
    void set(const SharedString& text);
    void set(std::int32_t value);
    void set(float value);

private:
    void mark_given() { flags_ |= kHasValue | kSave; }

    SharedString name_;
    SharedString value_;
    std::int32_t integer_ = 0;
    float float_ = 0.0f;
    std::uint32_t flags_ = 0;
};

// Text to number conversions with the C library's rules: leading blanks skipped, parsing stops at
// the first character that does not fit, 0 when nothing parses. Integers saturate at 32 bits.
std::int32_t parse_integer(const char* text);
float parse_float(const char* text);

}  // namespace tarn
