#include "resources/image.hpp"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "core/fatal.hpp"

namespace tarn {
namespace {

constexpr std::uint32_t kMagenta = 0xFF00FF;

// floor(c * a / 255) without a division: 65794 / 2^24 is 1 / 255 rounded up.
std::uint8_t premultiply8(std::uint32_t c, std::uint32_t a) {
    return static_cast<std::uint8_t>((c * a * 65794u) >> 24);
}

// floor(c * a4 / 255) for a 4-bit alpha, as a nibble: 1118482 / 2^28 is 1 / (255 * 15) rounded
// up, times 15.
std::uint32_t premultiply4(std::uint32_t c, std::uint32_t a4) {
    return (c * a4 * 1118482u) >> 28;
}

std::uint16_t pack_565(const std::uint8_t* p) {
    return static_cast<std::uint16_t>((p[0] >> 3) << 11 | (p[1] >> 2) << 5 | (p[2] >> 3));
}

std::uint16_t pack_5551(const std::uint8_t* p, bool premultiply) {
    std::uint32_t alpha_bit = p[3] >> 7;
    if (premultiply && alpha_bit == 0)
        return 0;
    return static_cast<std::uint16_t>((p[0] >> 3) << 11 | (p[1] >> 3) << 6 | (p[2] >> 3) << 1 |
                                      alpha_bit);
}

std::uint16_t pack_4444(const std::uint8_t* p, bool premultiply) {
    std::uint32_t a4 = p[3] >> 4;
    if (!premultiply)
        return static_cast<std::uint16_t>((p[0] >> 4) << 12 | (p[1] >> 4) << 8 | (p[2] & 0xF0) |
                                          a4);
    return static_cast<std::uint16_t>(premultiply4(p[0], a4) << 12 | premultiply4(p[1], a4) << 8 |
                                      premultiply4(p[2], a4) << 4 | a4);
}

void store_word(std::uint8_t* out, std::uint16_t word) {
    std::memcpy(out, &word, sizeof word);
}

bool is_magenta(const std::uint8_t* p) {
    return p[0] == 255 && p[1] == 0 && p[2] == 255;
}

// Copies source row into a row of target_width pixels, repeating its last pixel.
void copy_row_extended(const std::uint8_t* source, std::int32_t width, std::uint8_t* target,
                       std::int32_t target_width, int bpp) {
    std::memcpy(target, source, static_cast<std::size_t>(width) * bpp);
    const std::uint8_t* last = source + static_cast<std::ptrdiff_t>(width - 1) * bpp;
    for (std::int32_t x = width; x < target_width; ++x)
        std::memcpy(target + static_cast<std::ptrdiff_t>(x) * bpp, last, bpp);
}

}  // namespace

int bytes_per_pixel(PixelFormat format) {
    switch (format) {
        case PixelFormat::RGB8:
            return 3;
        case PixelFormat::RGBA8:
            return 4;
        default:
            return 2;
    }
}

bool is_16bit(PixelFormat format) {
    return format != PixelFormat::RGB8 && format != PixelFormat::RGBA8;
}

std::int32_t next_pow2(std::int32_t n) {
    std::int32_t result = 1;
    while (result < n && result <= std::numeric_limits<std::int32_t>::max() / 2)
        result *= 2;
    return result;
}

Image::Image(Image&& other) noexcept
    : width(other.width),
      height(other.height),
      image_width(other.image_width),
      image_height(other.image_height),
      format(other.format),
      data(std::move(other.data)),
      size(other.size) {
    other.reset();
}

Image& Image::operator=(Image&& other) noexcept {
    if (this != &other) {
        width = other.width;
        height = other.height;
        image_width = other.image_width;
        image_height = other.image_height;
        format = other.format;
        data = std::move(other.data);
        size = other.size;
        other.reset();
    }
    return *this;
}

void Image::reset() {
    width = height = image_width = image_height = size = 0;
    format = PixelFormat::RGB8;
    data.reset();
}

bool Image::allocate(std::int32_t w, std::int32_t h, PixelFormat pixel_format) {
    if (w <= 0 || h <= 0)
        return false;
    std::int64_t bytes = static_cast<std::int64_t>(w) * h * bytes_per_pixel(pixel_format);
    if (bytes > std::numeric_limits<std::int32_t>::max())
        return false;
    std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[bytes]);
    if (!buffer)
        return false;
    data = std::move(buffer);
    width = w;
    height = h;
    format = pixel_format;
    size = static_cast<std::int32_t>(bytes);
    return true;
}

void premultiply_rgba_pixels(std::uint8_t* pixels, std::int64_t count) {
    for (std::uint8_t* p = pixels; p != pixels + count * 4; p += 4) {
        p[0] = premultiply8(p[0], p[3]);
        p[1] = premultiply8(p[1], p[3]);
        p[2] = premultiply8(p[2], p[3]);
    }
}

PixelFormat format_16bit_for(PixelFormat from, bool use_5551) {
    if (from == PixelFormat::RGB8)
        return PixelFormat::RGB565;
    return use_5551 ? PixelFormat::RGBA5551 : PixelFormat::RGBA4444;
}

PixelFormat convert_pixels_to_16bit(const std::uint8_t* pixels, std::int64_t count,
                                    PixelFormat from, bool premultiply, bool use_5551,
                                    std::uint8_t* out) {
    PixelFormat to = format_16bit_for(from, use_5551);
    int bpp = bytes_per_pixel(from);
    for (std::int64_t i = 0; i < count; ++i, pixels += bpp, out += 2) {
        std::uint8_t p[4] = {pixels[0], pixels[1], pixels[2],
                             bpp == 4 ? pixels[3] : std::uint8_t{255}};
        if (to == PixelFormat::RGB565)
            store_word(out, pack_565(p));
        else if (to == PixelFormat::RGBA5551)
            store_word(out, pack_5551(p, premultiply));
        else
            store_word(out, pack_4444(p, premultiply));
    }
    return to;
}

void extend_to_power_of_two(Image& image) {
    if (is_16bit(image.format))
        fatal_internal_error("Image::extend_to_power_of_two() not supported for 16bpp.");
    if (!image.data)
        return;
    std::int32_t new_width = next_pow2(image.width);
    std::int32_t new_height = next_pow2(image.height);
    if (new_width == image.width && new_height == image.height)
        return;
    Image extended;
    if (!extended.allocate(new_width, new_height, image.format))
        fatal_internal_error("Image::extend_to_power_of_two() out of memory.");
    int bpp = bytes_per_pixel(image.format);
    for (std::int32_t y = 0; y < new_height; ++y)
        copy_row_extended(image.row(std::min(y, image.height - 1)), image.width, extended.row(y),
                          new_width, bpp);
    image.data = std::move(extended.data);
    image.width = new_width;
    image.height = new_height;
    image.size = extended.size;
}

void premultiply_alpha(Image& image) {
    if (image.format != PixelFormat::RGBA8 || !image.data)
        return;
    premultiply_rgba_pixels(image.data.get(),
                            static_cast<std::int64_t>(image.width) * image.height);
}

void convert_to_16bit(Image& image, bool premultiply, bool use_5551) {
    if (is_16bit(image.format) || image.width <= 0 || image.height <= 0 || !image.data)
        return;
    std::uint8_t* data = image.data.get();
    for (std::int32_t y = 0; y < image.height; ++y)
        convert_pixels_to_16bit(image.row(y), image.width, image.format, premultiply, use_5551,
                                data + static_cast<std::int64_t>(y) * image.width * 2);
    image.format = format_16bit_for(image.format, use_5551);
    image.size = image.width * image.height * 2;
}

void apply_color_key(Image& image) {
    if (!image.data || is_16bit(image.format))
        return;
    std::int64_t count = static_cast<std::int64_t>(image.width) * image.height;
    if (image.format == PixelFormat::RGBA8) {
        for (std::uint8_t* p = image.data.get(); p != image.data.get() + count * 4; p += 4) {
            if (is_magenta(p))
                std::memset(p, 0, 4);
        }
        return;
    }
    Image keyed;
    if (!keyed.allocate(image.width, image.height, PixelFormat::RGBA8))
        fatal_internal_error("Image::apply_color_key() out of memory.");
    const std::uint8_t* in = image.data.get();
    std::uint8_t* out = keyed.data.get();
    for (std::int64_t i = 0; i < count; ++i, in += 3, out += 4) {
        bool key = is_magenta(in);
        out[0] = key ? 0 : in[0];
        out[1] = key ? 0 : in[1];
        out[2] = key ? 0 : in[2];
        out[3] = key ? 0 : 255;
    }
    keyed.image_width = keyed.width;
    keyed.image_height = keyed.height;
    image = std::move(keyed);
}

std::uint32_t get_pixel(const Image& image, std::int32_t x, std::int32_t y) {
    if (is_16bit(image.format))
        fatal_internal_error("Image::get_pixel() not supported for 16bpp.");
    const std::uint8_t* p =
        image.row(y) + static_cast<std::ptrdiff_t>(x) * bytes_per_pixel(image.format);
    return p[0] | p[1] << 8 | p[2] << 16;
}

namespace {

std::int32_t run_right(const Image& image, std::int32_t x, std::int32_t y) {
    std::int32_t end = x;
    while (end < image.width && get_pixel(image, end, y) != kMagenta)
        ++end;
    return end - x;
}

std::int32_t run_down(const Image& image, std::int32_t x, std::int32_t y) {
    std::int32_t end = y;
    while (end < image.height && get_pixel(image, x, end) != kMagenta)
        ++end;
    return end - y;
}

}  // namespace

std::vector<ImageFrame> find_frames(const Image& image) {
    std::vector<ImageFrame> frames;
    if (!image.data)
        return frames;
    std::int32_t x = 0, y = 0, band_height = 0;
    auto next_band = [&] {
        y += band_height + 1;
        x = 0;
        band_height = 0;
    };
    while (y < image.height) {
        std::int32_t w = run_right(image, x, y);
        std::int32_t h = w > 0 ? run_down(image, x, y) : 0;
        if (w <= 0 || h < 1) {
            next_band();
            continue;
        }
        frames.push_back({static_cast<float>(x), static_cast<float>(y), static_cast<float>(w),
                          static_cast<float>(h)});
        x += w + 1;
        band_height = std::max(band_height, h);
        if (x >= image.width)
            next_band();
    }
    return frames;
}

}  // namespace tarn
