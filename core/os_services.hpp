#pragma once

#include "core/shared_string.hpp"
#include "core/wide_path.hpp"

namespace tarn {

// The user's documents folder (created when missing); empty, after logging, when unavailable.
WidePath my_documents();
// Opens a URL with the desktop's handler; logs and returns false when it is refused.
bool open_url(const SharedString& url);
// The clipboard's text as UTF-8; empty when there is none.
SharedString clipboard_text();

}  // namespace tarn
