#pragma once

#include "core/shared_string.hpp"

namespace tarn {

// Percent-encoding for URL parameters: ASCII letters and digits stay, a byte of 0x80 or above
// becomes '?' first, every other byte becomes '%' and two lower-case hexadecimal digits.
SharedString encode_for_url(const char* text, int length);

}  // namespace tarn
