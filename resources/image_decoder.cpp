#include "resources/image_decoder.hpp"

#include <cstring>

#include "core/log.hpp"
#include "core/message.hpp"

namespace tarn {
namespace {

bool ends_with(const SharedString& name, const char* suffix) {
    int n = static_cast<int>(std::strlen(suffix));
    return name.length() >= n && std::memcmp(name.data() + name.length() - n, suffix, n) == 0;
}

// The JPEG decoder gives plain RGB8; the flags are applied afterwards.
void apply_jpeg_flags(Image& image, std::uint32_t flags) {
    bool premultiply = (flags & kDecodePremultiply) != 0;
    bool to_16bit = (flags & kDecodeTo16Bit) != 0;
    if (flags & kDecodeExtendPow2)
        extend_to_power_of_two(image);
    if (to_16bit)
        convert_to_16bit(image, premultiply, (flags & kDecodeUse5551) != 0);
    else if (premultiply)
        premultiply_alpha(image);
}

}  // namespace

ImageType detect_image_type(const SharedString& file_name) {
    if (ends_with(file_name, "png"))
        return ImageType::Png;
    if (ends_with(file_name, "jpg") || ends_with(file_name, "jpeg"))
        return ImageType::Jpeg;
    log_message(message("Can't determine image format from file '%1'.", file_name));
    return ImageType::Unknown;
}

DecodeResult decode_image(const std::uint8_t* bytes, std::int64_t length, ImageType type,
                          std::uint32_t flags, Image& image, std::int32_t max_side) {
    switch (type) {
        case ImageType::Png:
            return decode_png(bytes, length, flags, image, max_side);
        case ImageType::Jpeg: {
            const DecodeResult result = decode_jpeg(bytes, length, image, max_side);
            if (result == DecodeResult::Decoded)
                apply_jpeg_flags(image, flags);
            return result;
        }
        default:
            image.reset();
            log_message("Invalid image input format specified.");
            return DecodeResult::Failed;
    }
}

}  // namespace tarn
