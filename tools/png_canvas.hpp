#pragma once

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

// Drawing helpers shared by the tools that paint the samples' sprite sheets: an RGBA canvas
// written as PNG (or as a BMP icon), and anti-aliased coverage of simple shapes.
namespace tarn::art {

struct Rgba {
    float r, g, b, a;
};

// Anti-aliased coverage of a disc of radius r at distance d from its centre.
inline float coverage(float d, float r) {
    return std::clamp(r - d + 0.5f, 0.0f, 1.0f);
}

inline std::uint8_t byte(float v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255));
}

class Canvas {
public:
    Canvas(int width, int height)
        : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height * 4) {}

    int width() const { return width_; }
    int height() const { return height_; }

    void set(int x, int y, Rgba c) {
        std::uint8_t* out = &pixels_[(static_cast<std::size_t>(y) * width_ + x) * 4];
        out[0] = byte(c.r);
        out[1] = byte(c.g);
        out[2] = byte(c.b);
        out[3] = byte(c.a);
    }

    // Writes the canvas; on failure prints why, prefixed by the tool's name.
    bool write_png(const char* path, const char* tool) const {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        image.width = static_cast<png_uint_32>(width_);
        image.height = static_cast<png_uint_32>(height_);
        image.format = PNG_FORMAT_RGBA;
        if (png_image_write_to_file(&image, path, 0, pixels_.data(), 0, nullptr) != 0)
            return true;
        std::fprintf(stderr, "%s: cannot write '%s': %s\n", tool, path, image.message);
        return false;
    }

    // Writes the canvas as a 24-bit BMP (a window icon), blended over `background`.
    bool write_bmp(const char* path, Rgba background) const {
        const int row_bytes = (width_ * 3 + 3) / 4 * 4;
        const auto data_bytes = static_cast<std::uint32_t>(row_bytes * height_);
        std::string out = "BM";
        append_le(out, 54 + data_bytes, 4);
        append_le(out, 0, 4);
        append_le(out, 54, 4);
        for (const std::uint32_t field :
             {40u, static_cast<std::uint32_t>(width_), static_cast<std::uint32_t>(height_)})
            append_le(out, field, 4);
        append_le(out, 1, 2);   // planes
        append_le(out, 24, 2);  // bits per pixel
        for (int i = 0; i < 6; ++i)
            append_le(out, 0, 4);                 // no compression, default resolution and palette
        for (int y = height_ - 1; y >= 0; --y) {  // bottom row first
            std::string row;
            for (int x = 0; x < width_; ++x) {
                const std::uint8_t* p = &pixels_[(static_cast<std::size_t>(y) * width_ + x) * 4];
                const float a = p[3] / 255.0f;
                for (const int c : {2, 1, 0}) {  // blue, green, red
                    const float under = c == 0   ? background.r
                                        : c == 1 ? background.g
                                                 : background.b;
                    row += static_cast<char>(byte(p[c] / 255.0f * a + under * (1 - a)));
                }
            }
            row.resize(static_cast<std::size_t>(row_bytes), '\0');
            out += row;
        }
        std::ofstream file(path, std::ios::binary);
        if (file << out && file.flush())
            return true;
        std::fprintf(stderr, "cannot write '%s'\n", path);
        return false;
    }

private:
    static void append_le(std::string& out, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out += static_cast<char>(value >> (8 * i) & 0xFF);
    }

    int width_, height_;
    std::vector<std::uint8_t> pixels_;
};

}  // namespace tarn::art
