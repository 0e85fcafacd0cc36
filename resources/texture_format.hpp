#pragma once

#include <cstdint>

#include "core/shared_string.hpp"

namespace tarn {

// How image pixels are stored for upload, as the "textures_format" setting asks.
struct TextureFormatChoice {
    bool to_16bit = false;  // RGB becomes RGB565, RGBA becomes RGBA4444 or RGBA5551
    bool use_5551 = false;  // with to_16bit: RGBA becomes RGBA5551
};

// "" and "32" keep 8 bits; "16", "565" and "4444" convert to 16 bits; "5551" converts RGBA to
// 5551; "iphone" takes iphone_format (a texture def's choice) instead. Anything else logs
// "Invalid textures_format cvar." and keeps 8 bits.
TextureFormatChoice choose_texture_format(const SharedString& setting,
                                          const SharedString& iphone_format);

// Decode flags for an image decoded straight into its final format.
std::uint32_t decode_flags_for(const TextureFormatChoice& choice, bool premultiply);

}  // namespace tarn
