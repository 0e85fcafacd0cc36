#pragma once

#include "core/shared_string.hpp"

namespace tarn {

// Appends UTF-8 text as UTF-16 units. Broken sequences become one '?' each; over-long forms are
// accepted. A negative length means up to the terminator.
void append_utf8_as_utf16(WideString& out, const char* text, int length = -1);

// Converts UTF-16 units to UTF-8. A high surrogate without its low partner becomes '?' and takes
// the next unit with it; a lone low surrogate is encoded like any other code point.
SharedString utf16_to_utf8(const char16_t* units, int count);

}  // namespace tarn
