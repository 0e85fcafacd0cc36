#pragma once

#include <string>

namespace tarn::platform {

// The text on the desktop clipboard (the X11 CLIPBOARD selection) as UTF-8. Empty when there is
// no display, nobody owns the clipboard, the owner has no text or does not answer within about
// a second.
std::string clipboard_text();

}  // namespace tarn::platform
