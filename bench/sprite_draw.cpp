// Full cost per frame of drawing 10,000 sprites through the renderer: quad emission, batch
// flushes, the GL draw calls and the buffer swap. Needs a display (Xvfb is fine).
//
//   bench_sprite_draw [FRAMES]
#include <GL/glew.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/singletons.hpp"
#include "resources/sprite_quad.hpp"
#include "sprite_bench.hpp"

namespace {

constexpr int kSprites = 10000;

void draw_frame(tarn::Renderer& renderer, const tarn::Sprite& sprite, int frame) {
    renderer.begin_frame();
    const tarn::PackedColor color{255, 255, 255, 255};
    for (int i = 0; i < kSprites; ++i) {
        const float x = static_cast<float>((i * 37 + frame) % 640);
        const float y = static_cast<float>((i * 11) % 480);
        tarn::emit_sprite_quad(renderer, tarn::Affine2::translation(x, y), sprite, 0, color);
    }
    renderer.end_frame();
    bench::SpriteBench::swap_buffers();
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 200;
    tarn::create_singletons();
    bench::SpriteBench bench;
    if (!bench.start(640, 480))
        return 1;
    tarn::Renderer& renderer = bench.renderer();
    draw_frame(renderer, bench.sprite(), 0);
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    for (int f = 0; f < frames; ++f)
        draw_frame(renderer, bench.sprite(), f);
    glFinish();
    const std::chrono::duration<double, std::milli> spent =
        std::chrono::steady_clock::now() - start;
    std::printf("%d sprites: %.3f ms per frame over %d frames\n", kSprites, spent.count() / frames,
                frames);
    return 0;
}
