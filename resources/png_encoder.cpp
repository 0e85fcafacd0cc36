#include "resources/png_encoder.hpp"

#include <png.h>

#include <cstdio>
#include <memory>

#include "platform/file_system.hpp"

namespace tarn {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The write struct and its info, destroyed together.
class PngWriter {
public:
    PngWriter() {
        png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        if (png_ != nullptr)
            info_ = png_create_info_struct(png_);
    }
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;
    ~PngWriter() { png_destroy_write_struct(&png_, &info_); }

    // libpng reports errors by longjmp, so nothing with a destructor may live in this frame.
    bool write(std::FILE* file, const Image& image, int color_type) {
        if (info_ == nullptr || setjmp(png_jmpbuf(png_)) != 0)
            return false;
        png_init_io(png_, file);
        png_set_IHDR(png_, info_, static_cast<png_uint_32>(image.width),
                     static_cast<png_uint_32>(image.height), 8, color_type, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png_, info_);
        for (std::int32_t y = 0; y < image.height; ++y)
            png_write_row(png_, image.row(y));
        png_write_end(png_, nullptr);
        return true;
    }

private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

}  // namespace

bool save_png(const Image& image, const std::string& path) {
    if (image.format != PixelFormat::RGB8 && image.format != PixelFormat::RGBA8)
        return false;
    std::unique_ptr<std::FILE, FileCloser> file(platform::open_file(path, "wb"));
    if (file == nullptr)
        return false;
    const int color_type =
        image.format == PixelFormat::RGBA8 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
    const bool written = PngWriter().write(file.get(), image, color_type);
    return std::fclose(file.release()) == 0 && written;
}

}  // namespace tarn
