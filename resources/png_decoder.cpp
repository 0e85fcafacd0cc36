#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/log.hpp"
#include "resources/image_decoder.hpp"

namespace tarn {
namespace {

// Widest file row the 16-bit path stages.
constexpr png_uint_32 kMaxStagedWidth = 2048;

struct MemoryReader {
    const std::uint8_t* bytes;
    std::int64_t length;
    std::int64_t position;
};

// Hands libpng the next bytes of the buffer; a request past its end is a libpng error, so a
// truncated file fails instead of reading beyond the buffer.
void read_from_memory(png_structp png, png_bytep out, png_size_t count) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (static_cast<std::uint64_t>(reader->length - reader->position) < count)
        png_error(png, "read past the end of the data");
    std::memcpy(out, reader->bytes + reader->position, count);
    reader->position += static_cast<std::int64_t>(count);
}

// libpng errors return to the decoder, which logs its own message.
void on_png_error(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void on_png_warning(png_structp, png_const_charp) {}

// Frees the libpng structures whichever way the decode ends.
// The largest single block libpng may allocate while reading a file of a given length: what
// one chunk of the file can hold, plus room for row buffers of the widest picture libpng
// accepts. A damaged ancillary chunk can claim gigabytes that libpng would otherwise allocate
// before reading; refused, it is dropped with a warning.
png_alloc_size_t allocation_limit(std::int64_t file_length) {
    constexpr png_alloc_size_t kRowBuffers = 32u << 20;
    return static_cast<png_alloc_size_t>(std::max<std::int64_t>(file_length, 0)) + kRowBuffers;
}

png_voidp allocate_within_limit(png_structp png, png_alloc_size_t size) {
    const auto* limit = static_cast<const png_alloc_size_t*>(png_get_mem_ptr(png));
    return size <= *limit ? std::malloc(size) : nullptr;
}

void free_block(png_structp, png_voidp block) {
    std::free(block);
}

struct PngReader {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngReader() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

struct Header {
    png_uint_32 width = 0, height = 0;
    int bit_depth = 0, color_type = 0, interlace = 0;
};

Header read_header(png_structp png, png_infop info) {
    Header h;
    png_get_IHDR(png, info, &h.width, &h.height, &h.bit_depth, &h.color_type, &h.interlace, nullptr,
                 nullptr);
    return h;
}

// Asks libpng for 8-bit RGB or RGBA rows; returns the number of passes.
int request_rgb8(png_structp png, png_infop info, const Header& h) {
    png_set_strip_16(png);
    if (h.bit_depth < 8)
        png_set_packing(png);
    if (h.color_type == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (h.color_type == PNG_COLOR_TYPE_GRAY && h.bit_depth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(png);
    if (h.color_type == PNG_COLOR_TYPE_GRAY || h.color_type == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    return png_set_interlace_handling(png);
}

// The checks after the transformations; logs and returns false on the first that fails.
bool check_layout(png_structp png, png_infop info, const Header& h, int passes,
                  PixelFormat& format) {
    int channels = png_get_channels(png, info);
    if (h.bit_depth != 8) {
        log_message("Invalid PNG bit depth.");
        return false;
    }
    if (h.color_type == PNG_COLOR_TYPE_RGB && channels == 3) {
        format = PixelFormat::RGB8;
    } else if (h.color_type == PNG_COLOR_TYPE_RGB_ALPHA && channels == 4) {
        format = PixelFormat::RGBA8;
    } else {
        log_message("Invalid PNG color type.");
        return false;
    }
    if (passes != 1) {
        log_message("Interlaced PNG not supported.");
        return false;
    }
    if (png_get_rowbytes(png, info) != static_cast<png_size_t>(channels) * h.width) {
        log_message("Invalid PNG bytes per row.");
        return false;
    }
    return true;
}

// Repeats the last file row into the rows below it.
void repeat_last_row(Image& image, std::int32_t file_height) {
    for (std::int32_t y = file_height; y < image.height; ++y)
        std::memcpy(image.row(y), image.row(file_height - 1), image.row_bytes());
}

// Repeats the pixel at column last across the rest of the row.
void repeat_last_pixel(std::uint8_t* row, std::int32_t last, std::int32_t width, int bpp) {
    for (std::int32_t x = last + 1; x < width; ++x)
        std::memcpy(row + static_cast<std::ptrdiff_t>(x) * bpp,
                    row + static_cast<std::ptrdiff_t>(last) * bpp, bpp);
}

void read_rows_8bit(png_structp png, Image& image, std::uint32_t flags) {
    for (std::int32_t y = 0; y < image.image_height; ++y) {
        std::uint8_t* row = image.row(y);
        png_read_row(png, row, nullptr);
        if (image.format == PixelFormat::RGBA8 && (flags & kDecodePremultiply))
            premultiply_rgba_pixels(row, image.image_width);
        repeat_last_pixel(row, image.image_width - 1, image.width, bytes_per_pixel(image.format));
    }
    repeat_last_row(image, image.image_height);
}

void read_rows_16bit(png_structp png, Image& image, PixelFormat file_format, std::uint32_t flags,
                     std::uint8_t* staging) {
    bool premultiply = (flags & kDecodePremultiply) != 0;
    bool use_5551 = (flags & kDecodeUse5551) != 0;
    for (std::int32_t y = 0; y < image.image_height; ++y) {
        png_read_row(png, staging, nullptr);
        convert_pixels_to_16bit(staging, image.image_width, file_format, premultiply, use_5551,
                                image.row(y));
        repeat_last_pixel(image.row(y), image.image_width - 1, image.width, 2);
    }
    repeat_last_row(image, image.image_height);
}

// Everything that may raise a libpng error. Locals here have trivial destructors, so the long
// jump back to setjmp skips nothing that needs cleaning up.
DecodeResult read_png(PngReader& reader, std::uint32_t flags, std::int32_t max_side, Image& image,
                      std::uint8_t* staging) {
    png_structp png = reader.png;
    png_infop info = reader.info;
    if (setjmp(png_jmpbuf(png))) {
        log_message("Error reading PNG file.");
        return DecodeResult::Failed;
    }
    png_read_info(png, info);
    Header header = read_header(png, info);
    int passes = request_rgb8(png, info, header);
    png_read_update_info(png, info);
    header = read_header(png, info);
    PixelFormat file_format = PixelFormat::RGB8;
    if (!check_layout(png, info, header, passes, file_format))
        return DecodeResult::Failed;
    bool to_16bit = (flags & kDecodeTo16Bit) != 0;
    if (to_16bit && header.width > kMaxStagedWidth) {
        log_message("Can't process PNG wider than 2048.");
        return DecodeResult::Failed;
    }
    auto file_width = static_cast<std::int32_t>(header.width);
    auto file_height = static_cast<std::int32_t>(header.height);
    if (header.width > static_cast<png_uint_32>(max_side) ||
        header.height > static_cast<png_uint_32>(max_side)) {
        image.image_width = file_width;
        image.image_height = file_height;
        return DecodeResult::TooLarge;
    }
    bool extend = (flags & kDecodeExtendPow2) != 0;
    std::int32_t width = extend ? next_pow2(file_width) : file_width;
    std::int32_t height = extend ? next_pow2(file_height) : file_height;
    PixelFormat format =
        to_16bit ? format_16bit_for(file_format, (flags & kDecodeUse5551) != 0) : file_format;
    if (!image.allocate(width, height, format))
        png_error(png, "image too large");
    image.image_width = file_width;
    image.image_height = file_height;
    if (to_16bit)
        read_rows_16bit(png, image, file_format, flags, staging);
    else
        read_rows_8bit(png, image, flags);
    return DecodeResult::Decoded;
}

}  // namespace

DecodeResult decode_png(const std::uint8_t* bytes, std::int64_t length, std::uint32_t flags,
                        Image& image, std::int32_t max_side) {
    image.reset();
    PngReader reader;
    png_alloc_size_t limit = allocation_limit(length);
    reader.png =
        png_create_read_struct_2(PNG_LIBPNG_VER_STRING, nullptr, on_png_error, on_png_warning,
                                 &limit, allocate_within_limit, free_block);
    if (!reader.png) {
        log_message("Can't initialize PNG reader.");
        return DecodeResult::Failed;
    }
    reader.info = png_create_info_struct(reader.png);
    if (!reader.info) {
        log_message("Can't initialize PNG info structure.");
        return DecodeResult::Failed;
    }
    MemoryReader source{bytes, std::max<std::int64_t>(length, 0), 0};
    png_set_read_fn(reader.png, &source, read_from_memory);
    // No chunk can hold more than the whole file, so libpng need not allocate more for one
    // (what an ancillary chunk would inflate to beyond that is dropped with a warning). The
    // picture's own size is checked against max_side once the header is read.
    png_set_chunk_malloc_max(reader.png,
                             static_cast<png_alloc_size_t>(std::max<std::int64_t>(length, 1)));
    std::vector<std::uint8_t> staging(kMaxStagedWidth * 4);
    return read_png(reader, flags, max_side, image, staging.data());
}

}  // namespace tarn
