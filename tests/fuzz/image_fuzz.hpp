#pragma once

#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_support.hpp"
#include "resources/image.hpp"
#include "resources/image_decoder.hpp"

// Shared by the PNG and JPEG targets: every input is decoded the ways the texture loader
// decodes files, and each decoded image must be well formed.
namespace tarn::fuzz {

// The 8-bit path (extension only; the pixel operations follow) and the direct path for each
// texture format choice, with and without premultiplication.
inline constexpr std::uint32_t kLoaderFlagSets[] = {
    kDecodeExtendPow2,
    kDecodeExtendPow2 | kDecodePremultiply,
    kDecodeExtendPow2 | kDecodeTo16Bit,
    kDecodeExtendPow2 | kDecodePremultiply | kDecodeTo16Bit,
    kDecodeExtendPow2 | kDecodeTo16Bit | kDecodeUse5551,
    kDecodeExtendPow2 | kDecodePremultiply | kDecodeTo16Bit | kDecodeUse5551,
};

inline bool is_power_of_two(std::int32_t n) {
    return n > 0 && (n & (n - 1)) == 0;
}

// Reads every byte of the buffer, so a buffer shorter than its recorded size is an overflow.
inline void touch_pixels(const Image& image) {
    volatile std::uint8_t sum = 0;
    for (std::int32_t i = 0; i < image.size; ++i)
        sum = sum + image.data[i];
}

inline void check_sides(const Image& image, bool extended) {
    require(image.image_width > 0 && image.image_height > 0, "a decoded picture is not empty");
    require(image.image_width <= kMaxImageSide && image.image_height <= kMaxImageSide,
            "a decoded picture is at most kMaxImageSide on each side");
    if (extended) {
        require(is_power_of_two(image.width) && is_power_of_two(image.height),
                "an extended image has power-of-two sides");
        require(image.width >= image.image_width && image.width < 2 * image.image_width &&
                    image.height >= image.image_height && image.height < 2 * image.image_height,
                "extension pads to the next power of two");
    } else {
        require(image.width == image.image_width && image.height == image.image_height,
                "an image that is not extended has the picture's size");
    }
}

inline void check_format(const Image& image, std::uint32_t flags, bool may_have_alpha) {
    const bool to_16bit = (flags & kDecodeTo16Bit) != 0;
    require(is_16bit(image.format) == to_16bit, "the pixel width follows the to_16bit flag");
    if (!may_have_alpha)
        require(image.format == PixelFormat::RGB8 || image.format == PixelFormat::RGB565,
                "a picture without alpha keeps no alpha");
    if (to_16bit && image.format != PixelFormat::RGB565) {
        const bool use_5551 = (flags & kDecodeUse5551) != 0;
        require(image.format == (use_5551 ? PixelFormat::RGBA5551 : PixelFormat::RGBA4444),
                "alpha pictures become RGBA5551 or RGBA4444 as asked");
    }
}

inline void check_decoded(const Image& image, std::uint32_t flags, bool may_have_alpha) {
    check_sides(image, (flags & kDecodeExtendPow2) != 0);
    check_format(image, flags, may_have_alpha);
    require(image.data != nullptr && std::int64_t{image.size} == std::int64_t{image.width} *
                                                                     image.height *
                                                                     bytes_per_pixel(image.format),
            "the buffer holds width x height pixels");
    touch_pixels(image);
}

// What the texture loader does to an 8-bit image after decoding it.
inline void run_pixel_operations(Image& image) {
    for (const ImageFrame& frame : find_frames(image)) {
        require(frame.w >= 1 && frame.h >= 1 && frame.x >= 0 && frame.y >= 0 &&
                    frame.x + frame.w <= static_cast<float>(image.width) &&
                    frame.y + frame.h <= static_cast<float>(image.height),
                "found frames lie inside the image");
    }
    get_pixel(image, image.width - 1, image.height - 1);
    apply_color_key(image);
    require(image.format == PixelFormat::RGBA8, "the colour key leaves RGBA8");
    touch_pixels(image);
    premultiply_alpha(image);
    convert_to_16bit(image, true, false);
}

inline void decode_every_way(ImageType type, const std::uint8_t* data, std::size_t size,
                             bool may_have_alpha) {
    for (const std::uint32_t flags : kLoaderFlagSets) {
        Image image;
        // The texture loader's own limit: larger pictures are refused from their header.
        if (decode_image(data, static_cast<std::int64_t>(size), type, flags, image, 2048) !=
            DecodeResult::Decoded)
            continue;
        check_decoded(image, flags, may_have_alpha);
        if ((flags & kDecodeTo16Bit) == 0)
            run_pixel_operations(image);
    }
}

}  // namespace tarn::fuzz
