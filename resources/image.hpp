#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "render/pixel_format.hpp"

namespace tarn {

int bytes_per_pixel(PixelFormat format);
bool is_16bit(PixelFormat format);

// The smallest power of two not below n; 1 for n = 0.
std::int32_t next_pow2(std::int32_t n);

// Largest width or height a decoder accepts; keeps every buffer size inside int32.
inline constexpr std::int32_t kMaxImageSide = 16384;

// Decoded pixels: width x height pixels, rows top to bottom, no row padding. Move-only; moving
// transfers the buffer.
struct Image {
    std::int32_t width = 0;         // columns of the buffer (after power-of-two extension)
    std::int32_t height = 0;        // rows of the buffer
    std::int32_t image_width = 0;   // columns of the picture as stored in the file
    std::int32_t image_height = 0;  // rows of the picture as stored in the file
    PixelFormat format = PixelFormat::RGB8;
    std::unique_ptr<std::uint8_t[]> data;
    std::int32_t size = 0;  // byte size of data

    Image() = default;
    Image(Image&& other) noexcept;
    Image& operator=(Image&& other) noexcept;
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // All fields 0, buffer freed.
    void reset();
    // Replaces the buffer with an uninitialised one of width x height pixels of format. False
    // (and nothing changed) when the size is out of range or memory runs out.
    bool allocate(std::int32_t w, std::int32_t h, PixelFormat pixel_format);
    std::uint8_t* row(std::int32_t y) { return data.get() + row_bytes() * y; }
    const std::uint8_t* row(std::int32_t y) const { return data.get() + row_bytes() * y; }
    std::int64_t row_bytes() const {
        return static_cast<std::int64_t>(width) * bytes_per_pixel(format);
    }
};

// A frame found on a sheet, in pixels.
struct ImageFrame {
    float x = 0, y = 0, w = 0, h = 0;
    friend bool operator==(const ImageFrame&, const ImageFrame&) = default;
};

// Pads to power-of-two width and height, repeating the last column and row. 8-bit formats only;
// a 16-bit image stops the process.
void extend_to_power_of_two(Image& image);
// Multiplies colour by alpha in an RGBA8 image; other formats are left alone.
void premultiply_alpha(Image& image);
// RGB8 becomes RGB565; RGBA8 becomes RGBA5551 (use_5551) or RGBA4444. In place, in the same
// allocation. Other formats are left alone.
void convert_to_16bit(Image& image, bool premultiply, bool use_5551);
// Magenta (255, 0, 255) becomes transparent black; an RGB8 image becomes RGBA8.
void apply_color_key(Image& image);
// Rectangles of frames separated by one-pixel magenta lines, in scan order.
std::vector<ImageFrame> find_frames(const Image& image);
// R | G << 8 | B << 16 of an 8-bit image; a 16-bit image stops the process.
std::uint32_t get_pixel(const Image& image, std::int32_t x, std::int32_t y);

// Row helpers shared with the decoders.
void premultiply_rgba_pixels(std::uint8_t* pixels, std::int64_t count);
// Converts count pixels of an RGB8 or RGBA8 row to 16-bit words written at out. out may be the
// start of pixels itself: each pixel is read before its word is written.
PixelFormat convert_pixels_to_16bit(const std::uint8_t* pixels, std::int64_t count,
                                    PixelFormat from, bool premultiply, bool use_5551,
                                    std::uint8_t* out);
// The 16-bit format convert_pixels_to_16bit produces from an 8-bit format.
PixelFormat format_16bit_for(PixelFormat from, bool use_5551);

}  // namespace tarn
