#pragma once

#include <cstdint>

namespace tarn {

// Copies the frame being drawn (the back buffer, before the swap) into out: width x height RGB8
// pixels, rows top to bottom, no row padding.
void read_back_buffer(std::uint8_t* out, std::int32_t width, std::int32_t height);

}  // namespace tarn
