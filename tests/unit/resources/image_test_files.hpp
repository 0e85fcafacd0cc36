#pragma once

#include <png.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace tarn::test {

// The description of a PNG file to write: rows hold the samples exactly as the file stores them
// (packed below 8 bits, big-endian at 16 bits).
struct PngPicture {
    int width = 1;
    int height = 1;
    int bit_depth = 8;
    int color_type = PNG_COLOR_TYPE_RGB;
    bool interlaced = false;
    std::vector<png_color> palette;
    std::vector<std::uint8_t> transparency;  // palette alphas, or one grey/RGB key when set
    png_color_16 transparent_colour{};
    std::vector<std::uint8_t> rows;
};

inline void append_png_bytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), length);
}

inline void no_png_flush(png_structp) {}

inline std::size_t png_row_bytes(const PngPicture& p) {
    int channels = p.color_type == PNG_COLOR_TYPE_RGB          ? 3
                   : p.color_type == PNG_COLOR_TYPE_RGB_ALPHA  ? 4
                   : p.color_type == PNG_COLOR_TYPE_GRAY_ALPHA ? 2
                                                               : 1;
    return (static_cast<std::size_t>(p.width) * channels * p.bit_depth + 7) / 8;
}

// Encodes the picture with libpng; the test pictures are always valid, so errors are not caught.
inline std::string encode_png(const PngPicture& p) {
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, append_png_bytes, no_png_flush);
    png_set_IHDR(png, info, p.width, p.height, p.bit_depth, p.color_type,
                 p.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!p.palette.empty())
        png_set_PLTE(png, info, p.palette.data(), static_cast<int>(p.palette.size()));
    if (p.color_type == PNG_COLOR_TYPE_PALETTE && !p.transparency.empty())
        png_set_tRNS(png, info, p.transparency.data(), static_cast<int>(p.transparency.size()),
                     nullptr);
    else if (!p.transparency.empty())
        png_set_tRNS(png, info, nullptr, 0, &p.transparent_colour);
    png_write_info(png, info);
    std::vector<png_bytep> rows(p.height);
    for (int y = 0; y < p.height; ++y)
        rows[y] = const_cast<png_bytep>(p.rows.data() + y * png_row_bytes(p));
    png_write_image(png, rows.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

// Encodes width x height RGB (components 3) or grey (components 1) samples with libjpeg.
inline std::string encode_jpeg(int width, int height, int components,
                               const std::vector<std::uint8_t>& samples, int quality = 100) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = components;
    cinfo.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(samples.data() + cinfo.next_scanline * width * components);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::string out(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return out;
}

// The header fields of a DDS file a test can vary; the defaults describe a valid 2D DXT1 file
// without mipmaps.
struct DdsHeader {
    std::string magic = "DDS ";
    std::uint32_t header_size = 124;
    std::uint32_t flags = 0x1 | 0x2 | 0x4 | 0x1000;
    std::uint32_t height = 4;
    std::uint32_t width = 4;
    std::uint32_t linear_size = 0;
    std::uint32_t mip_count = 0;
    std::uint32_t pixel_format_size = 32;
    std::uint32_t pixel_format_flags = 0x4;
    std::string four_cc = "DXT1";
    std::uint32_t caps = 0x1000;
    std::uint32_t caps2 = 0;

    DdsHeader& mipmapped(std::uint32_t count) {
        flags |= 0x20000;
        caps |= 0x8 | 0x400000;
        mip_count = count;
        return *this;
    }
    DdsHeader& cube_map() {
        caps |= 0x8;
        caps2 = 0xFE00;
        return *this;
    }
};

// Stores value little-endian at offset.
inline void put_u32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = std::uint8_t(value >> (8 * i));
}

// A DDS file of the header followed by data_size bytes whose values count up from 1.
inline std::vector<std::uint8_t> encode_dds(const DdsHeader& h, std::size_t data_size) {
    std::vector<std::uint8_t> bytes(128 + data_size, 0);
    const auto put_text = [&bytes](std::size_t offset, const std::string& text) {
        for (std::size_t i = 0; i < text.size(); ++i)
            bytes[offset + i] = std::uint8_t(text[i]);
    };
    put_text(0, h.magic);
    put_u32(bytes, 4, h.header_size);
    put_u32(bytes, 8, h.flags);
    put_u32(bytes, 12, h.height);
    put_u32(bytes, 16, h.width);
    put_u32(bytes, 20, h.linear_size);
    put_u32(bytes, 28, h.mip_count);
    put_u32(bytes, 76, h.pixel_format_size);
    put_u32(bytes, 80, h.pixel_format_flags);
    put_text(84, h.four_cc);
    put_u32(bytes, 108, h.caps);
    put_u32(bytes, 112, h.caps2);
    for (std::size_t i = 0; i < data_size; ++i)
        bytes[128 + i] = std::uint8_t(i + 1);
    return bytes;
}

// A copy of some bytes that ends exactly where an unreadable page begins, so any read beyond
// the end crashes the test instead of passing unnoticed.
class GuardedBuffer {
public:
    explicit GuardedBuffer(const std::string& bytes) : size_(bytes.size()) {
        std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
        std::size_t data_pages = (size_ + page - 1) / page;
        mapped_size_ = (data_pages + 1) * page;
        void* map =
            mmap(nullptr, mapped_size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        base_ = static_cast<std::uint8_t*>(map);
        mprotect(base_ + data_pages * page, page, PROT_NONE);
        data_ = base_ + data_pages * page - size_;
        if (size_ > 0)
            std::memcpy(data_, bytes.data(), size_);
    }
    ~GuardedBuffer() { munmap(base_, mapped_size_); }
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    const std::uint8_t* data() const { return data_; }
    std::int64_t size() const { return static_cast<std::int64_t>(size_); }

private:
    std::size_t size_;
    std::size_t mapped_size_ = 0;
    std::uint8_t* base_ = nullptr;
    std::uint8_t* data_ = nullptr;
};

}  // namespace tarn::test
