#pragma once

#include <cstdint>

namespace tarn {

// Layout of one pixel, as decoders produce it and textures take it. The 16-bit formats are one
// native-endian word per pixel.
enum class PixelFormat : std::int32_t {
    RGB8 = 0,      // R, G, B bytes
    RGBA8 = 1,     // R, G, B, A bytes
    RGB565 = 2,    // R bits 11-15, G 5-10, B 0-4
    RGBA4444 = 3,  // R bits 12-15, G 8-11, B 4-7, A 0-3
    RGBA5551 = 4,  // R bits 11-15, G 6-10, B 1-5, A bit 0
};

}  // namespace tarn
