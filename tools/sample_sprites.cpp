// Writes the sprite sheet of the scene sample and benchmarks, so that no picture is kept in the
// repository: a 160 x 32 PNG of five 32 x 32 cells. Cells 0 to 3 are a ball whose highlight goes
// once round it (an animation), cell 4 is a soft white glow (a particle).
//
//   tarn_sample_sprites OUTPUT.png
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "tools/png_canvas.hpp"

namespace {

using tarn::art::coverage;
using tarn::art::Rgba;

constexpr int kCell = 32;
constexpr int kBallFrames = 4;
constexpr int kWidth = kCell * (kBallFrames + 1);

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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tarn_sample_sprites OUTPUT.png\n");
        return 2;
    }
    tarn::art::Canvas canvas(kWidth, kCell);
    for (int py = 0; py < kCell; ++py) {
        for (int px = 0; px < kWidth; ++px) {
            const int cell = px / kCell;
            const float x = static_cast<float>(px % kCell) - 15.5f;
            const float y = static_cast<float>(py) - 15.5f;
            canvas.set(px, py, cell < kBallFrames ? ball(cell, x, y) : glow(x, y));
        }
    }
    return canvas.write_png(argv[1], "tarn_sample_sprites") ? 0 : 1;
}
