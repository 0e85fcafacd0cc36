#pragma once

#include <vector>

#include "core/shared_string.hpp"

namespace tarn {

// The pieces of text between any of the separator characters; empty pieces are dropped.
std::vector<SharedString> split(const SharedString& text, const char* separators);
// Removes leading and trailing characters with codes 0..32.
SharedString trim(const SharedString& text);
// Trims, then removes one pair of enclosing double quotes.
SharedString trim_unquote(const SharedString& text);

}  // namespace tarn
