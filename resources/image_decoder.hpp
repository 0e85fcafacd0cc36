#pragma once

#include <cstdint>

#include "core/shared_string.hpp"
#include "resources/image.hpp"

namespace tarn {

enum class ImageType { Unknown, Png, Jpeg };

// Decode flags, as the texture loader passes them.
enum DecodeFlags : std::uint32_t {
    kDecodeExtendPow2 = 1 << 0,   // pad to power-of-two width and height
    kDecodePremultiply = 1 << 1,  // multiply colour by alpha
    kDecodeTo16Bit = 1 << 2,      // convert to a 16-bit format
    kDecodeUse5551 = 1 << 3,      // with kDecodeTo16Bit, alpha images become RGBA5551
};

// By the exact (case-sensitive) end of the name: "png", "jpg" or "jpeg". Logs and returns
// Unknown otherwise.
ImageType detect_image_type(const SharedString& file_name);

// Decodes bytes of the given type into image (reset first) and applies flags. Failures are
// logged and return false; nothing is ever read outside the buffer.
bool decode_image(const std::uint8_t* bytes, std::int64_t length, ImageType type,
                  std::uint32_t flags, Image& image);
bool decode_png(const std::uint8_t* bytes, std::int64_t length, std::uint32_t flags, Image& image);
// Always RGB8, unextended.
bool decode_jpeg(const std::uint8_t* bytes, std::int64_t length, Image& image);

}  // namespace tarn
