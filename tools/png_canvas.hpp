#pragma once

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

// Drawing helpers shared by the tools that paint the samples' sprite sheets: an RGBA canvas
// written as PNG, and anti-aliased coverage of simple shapes.
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

private:
    int width_, height_;
    std::vector<std::uint8_t> pixels_;
};

}  // namespace tarn::art
