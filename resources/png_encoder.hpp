#pragma once

#include <string>

#include "resources/image.hpp"

namespace tarn {

// Writes an RGB8 or RGBA8 image (its whole width x height buffer) as a PNG file. False when the
// file cannot be written or the format is another.
bool save_png(const Image& image, const std::string& path);

}  // namespace tarn
