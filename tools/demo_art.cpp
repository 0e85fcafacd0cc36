// Writes the texture atlas of the demo game, so that no picture is kept in the repository: a
// 256 x 128 PNG cut by the game into a grid of 32 x 16 frames, with larger pieces beside them.
//
//   frames 0-5    bricks in six colours          frames 6, 7   a steel brick, whole and cracked
//   frames 8-11   the ball, its highlight going round (an animation)
//   frame 12      a soft spark (a particle)      frame 13      a faint speck of dust
//   (0, 32)       the paddle, 96 x 16, two frames side by side
//   (0, 48)       a button, 128 x 32, and its highlighted look at (128, 48)
//   (0, 96)       a 128 x 8 bar (volume meters)
//
// Pieces that are drawn stretched keep a transparent gap from their neighbours, so that filtering
// does not bleed one into the other.
//
// It also writes the window icon: the ball, large, on the game's background.
//
//   tarn_demo_art ATLAS.png ICON.bmp
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>

#include "tools/png_canvas.hpp"

namespace {

using tarn::art::Canvas;
using tarn::art::coverage;
using tarn::art::Rgba;

using Shader = std::function<Rgba(float x, float y)>;

// Paints the w x h region at (left, top); the shader sees coordinates from the region's centre.
void paint(Canvas& canvas, int left, int top, int w, int h, const Shader& shader) {
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const float cx = static_cast<float>(x) + 0.5f - static_cast<float>(w) / 2;
            const float cy = static_cast<float>(y) + 0.5f - static_cast<float>(h) / 2;
            canvas.set(left + x, top + y, shader(cx, cy));
        }
    }
}

// Signed distance from a rounded rectangle of half size (hw, hh) and corner radius r.
float rounded_box(float x, float y, float hw, float hh, float r) {
    const float qx = std::max(std::abs(x) - hw + r, 0.0f);
    const float qy = std::max(std::abs(y) - hh + r, 0.0f);
    return std::hypot(qx, qy) +
           std::min(std::max(std::abs(x) - hw + r, std::abs(y) - hh + r), 0.0f) - r;
}

Rgba scaled(Rgba c, float light) {
    return {c.r * light, c.g * light, c.b * light, c.a};
}

// A bevelled block: lighter towards the top, a bright rim and a darker base.
Shader block(Rgba color, float hw, float hh, float r) {
    return [=](float x, float y) {
        const float d = rounded_box(x, y, hw, hh, r);
        const float rim = d > -2.0f ? 1.3f : 1.0f;
        const float light = (1.15f - 0.5f * (y + hh) / (2 * hh)) * rim;
        Rgba c = scaled(color, light);
        c.a = coverage(d, 0);
        return c;
    };
}

Shader cracked(Shader base) {
    return [=](float x, float y) {
        Rgba c = base(x, y);
        const float crack = std::abs(y - 0.6f * x + 2 * std::sin(x * 0.7f));
        return crack < 0.9f ? scaled(c, 0.3f) : c;
    };
}

// A white ball lit from the direction of the frame's quarter turn.
Shader ball(int frame) {
    return [=](float x, float y) {
        const float angle = static_cast<float>(frame) * std::numbers::pi_v<float> / 2;
        const float lx = 3 * std::cos(angle), ly = 3 * std::sin(angle);
        const float light = std::max(0.0f, 1 - std::hypot(x - lx, y - ly) / 7);
        return Rgba{0.7f + 0.3f * light, 0.8f + 0.2f * light, 0.9f + 0.1f * light,
                    coverage(std::hypot(x, y), 6.5f)};
    };
}

Shader glow(float radius) {
    return [=](float x, float y) {
        const float fade = std::max(0.0f, 1 - std::hypot(x, y) / radius);
        return Rgba{1, 1, 1, fade * fade};
    };
}

// A silver capsule with a coloured stripe; `bright` is the second frame of its shimmer.
Shader paddle(bool bright) {
    return [=](float x, float y) {
        Rgba c = block({0.75f, 0.78f, 0.85f, 1}, 47, 7, 7)(x, y);
        if (std::abs(y) < 2 && std::abs(x) < 38)
            c = bright ? Rgba{0.5f, 0.9f, 1, c.a} : Rgba{0.2f, 0.5f, 0.9f, c.a};
        return c;
    };
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tarn_demo_art ATLAS.png ICON.bmp\n");
        return 2;
    }
    constexpr int kCellW = 32, kCellH = 16;
    const Rgba bricks[] = {{0.9f, 0.25f, 0.25f, 1}, {0.95f, 0.55f, 0.2f, 1},
                           {0.9f, 0.85f, 0.25f, 1}, {0.3f, 0.8f, 0.35f, 1},
                           {0.3f, 0.5f, 0.95f, 1},  {0.65f, 0.35f, 0.9f, 1}};
    const Rgba steel{0.55f, 0.58f, 0.62f, 1};
    Canvas canvas(256, 128);
    auto cell = [&](int index, const Shader& shader) {
        paint(canvas, index % 8 * kCellW, index / 8 * kCellH, kCellW, kCellH, shader);
    };
    for (int i = 0; i < 6; ++i)
        cell(i, block(bricks[i], 15, 7, 3));
    cell(6, block(steel, 15, 7, 3));
    cell(7, cracked(block(steel, 15, 7, 3)));
    for (int i = 0; i < 4; ++i)
        cell(8 + i, ball(i));
    cell(12, glow(7));
    cell(13, glow(2.5f));
    paint(canvas, 0, 32, 96, 16, paddle(false));
    paint(canvas, 96, 32, 96, 16, paddle(true));
    paint(canvas, 0, 48, 128, 32, block({0.15f, 0.2f, 0.4f, 1}, 62, 14, 8));
    paint(canvas, 128, 48, 128, 32, block({0.3f, 0.45f, 0.8f, 1}, 62, 14, 8));
    paint(canvas, 0, 96, 128, 8, block({1, 1, 1, 1}, 64, 4, 3));
    Canvas icon(32, 32);
    paint(icon, 0, 0, 32, 32, [](float x, float y) { return ball(1)(x / 2.2f, y / 2.2f); });
    return canvas.write_png(argv[1], "tarn_demo_art") &&
                   icon.write_bmp(argv[2], {0.05f, 0.06f, 0.12f, 1})
               ? 0
               : 1;
}
