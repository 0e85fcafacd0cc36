// Writes the sprite sheet of the scene sample and benchmarks, so that no picture is kept in the
// repository: a 160 x 32 PNG of five 32 x 32 cells. Cells 0 to 3 are a ball whose highlight goes
// once round it (an animation), cell 4 is a soft white glow (a particle).
//
//   tarn_sample_sprites OUTPUT.png
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

constexpr int kCell = 32;
constexpr int kBallFrames = 4;
constexpr int kWidth = kCell * (kBallFrames + 1);

struct Rgba {
    float r, g, b, a;
};

// Anti-aliased coverage of a disc of radius r at distance d from its centre.
float coverage(float d, float r) {
    return std::clamp(r - d + 0.5f, 0.0f, 1.0f);
}

// A blue ball lit from the direction of the frame's quarter turn.
Rgba ball(int frame, float x, float y) {
    const float angle = static_cast<float>(frame) * std::numbers::pi_v<float> / 2;
    const float lx = 6 * std::cos(angle), ly = 6 * std::sin(angle);
    const float light = std::max(0.0f, 1 - std::hypot(x - lx, y - ly) / 14);
    return {0.2f + 0.8f * light, 0.4f + 0.6f * light, 1.0f, coverage(std::hypot(x, y), 14)};
}

Rgba glow(float x, float y) {
    const float fade = std::max(0.0f, 1 - std::hypot(x, y) / 15);
    return {1, 1, 1, fade * fade};
}

std::uint8_t byte(float v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tarn_sample_sprites OUTPUT.png\n");
        return 2;
    }
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kWidth) * kCell * 4);
    for (int py = 0; py < kCell; ++py) {
        for (int px = 0; px < kWidth; ++px) {
            const int cell = px / kCell;
            const float x = static_cast<float>(px % kCell) - 15.5f;
            const float y = static_cast<float>(py) - 15.5f;
            const Rgba c = cell < kBallFrames ? ball(cell, x, y) : glow(x, y);
            std::uint8_t* out = &pixels[(static_cast<std::size_t>(py) * kWidth + px) * 4];
            out[0] = byte(c.r);
            out[1] = byte(c.g);
            out[2] = byte(c.b);
            out[3] = byte(c.a);
        }
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = kWidth;
    image.height = kCell;
    image.format = PNG_FORMAT_RGBA;
    if (png_image_write_to_file(&image, argv[1], 0, pixels.data(), 0, nullptr) == 0) {
        std::fprintf(stderr, "tarn_sample_sprites: cannot write '%s': %s\n", argv[1],
                     image.message);
        return 1;
    }
    return 0;
}
