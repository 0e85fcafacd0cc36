#pragma once

#include <string>

namespace tarn::platform {

// Reports a message to the user: always on stderr as "<caption>: <text>", and also in a dialog
// when a desktop is available (DISPLAY set, one of zenity, kdialog or xmessage on PATH). No
// dialog is shown when TARN_NO_DIALOG or CI is set, so automated runs never wait for a click.
// Blocks until the dialog is closed.
void show_message_box(const std::string& caption, const std::string& text);

}  // namespace tarn::platform
