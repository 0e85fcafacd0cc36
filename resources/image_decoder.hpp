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

// How a decode ended.
enum class DecodeResult {
    Decoded,
    Failed,  // logged
    // The picture is wider or taller than the caller takes. Refused from the file's header,
    // before any pixel is decoded; the image holds only the picture's size (image_width,
    // image_height). Not logged: the caller knows what its limit means.
    TooLarge,
};

// By the exact (case-sensitive) end of the name: "png", "jpg" or "jpeg". Logs and returns
// Unknown otherwise.
ImageType detect_image_type(const SharedString& file_name);

// Decodes bytes of the given type into image (reset first) and applies flags. Nothing is ever
// read outside the buffer. max_side is the widest and tallest picture the caller takes.
DecodeResult decode_image(const std::uint8_t* bytes, std::int64_t length, ImageType type,
                          std::uint32_t flags, Image& image, std::int32_t max_side = kMaxImageSide);
DecodeResult decode_png(const std::uint8_t* bytes, std::int64_t length, std::uint32_t flags,
                        Image& image, std::int32_t max_side = kMaxImageSide);
// Always RGB8, unextended.
DecodeResult decode_jpeg(const std::uint8_t* bytes, std::int64_t length, Image& image,
                         std::int32_t max_side = kMaxImageSide);

}  // namespace tarn
