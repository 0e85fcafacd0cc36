#pragma once

#include <string>

namespace tarn::platform {

// Hands a URL (or file path) to the desktop's handler through xdg-open. True when xdg-open
// accepted it: it exited successfully, or it was still busy launching the handler after a few
// seconds. Refuses an empty text and one starting with '-', which would be read as an option.
bool shell_open(const std::string& url);

}  // namespace tarn::platform
