#pragma once

#include <string>

namespace tarn {

// Saves the frame being drawn (call it after the batch is flushed, before the buffer swap) as a
// PNG file of the window's size. A failure is logged and gives false.
bool save_screenshot(const std::string& path);

}  // namespace tarn
