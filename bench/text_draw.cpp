// Cost per glyph of drawing a laid-out text of a few thousand glyphs, a screen of small text, on
// both paths: the UI's (draw_text_layout through a UIBatch, one colour, 1024 glyphs per draw) and
// the scene's (emit_text_layout into the renderer's quad batch under a transform, per-glyph
// colours). For each path it reports the time spent in the drawing call and the full frame cost
// (buffer swap included), both per glyph. Run it with GALLIUM_NOOP=1 for the engine's and the
// driver's share alone, and without for llvmpipe's rasterizing too. Needs a display (Xvfb is
// fine).
//
//   bench_text_draw [FRAMES]
#include <GL/glew.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/singletons.hpp"
#include "render/text_drawing.hpp"
#include "render/ui_batch.hpp"
#include "sprite_bench.hpp"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kColumns = 78;
constexpr int kLines = 40;
constexpr float kLineHeight = 12.0f;

// 40 lines of 78 glyphs: words of 1 to 8 glyphs, each followed by a (zero-width) space quad, glyph
// cells taken from a 16 x 16 grid of the texture, runs of ten glyphs in one of a few colours as
// colour codes would give them.
tarn::TextLayout screen_of_text() {
    constexpr float kColors[4][4] = {
        {1, 1, 1, 1}, {1, 0.8f, 0.2f, 1}, {0.3f, 0.3f, 0.3f, 0.6f}, {0.1f, 0.6f, 1, 1}};
    tarn::TextLayout layout;
    layout.quads.reserve(kColumns * kLines);
    unsigned seed = 12345;
    const auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    for (int line = 0; line < kLines; ++line) {
        float pen = 0;
        const float top = line * kLineHeight;
        for (int column = 0, left = 0; column < kColumns; ++column, --left) {
            if (left == 0)
                left = static_cast<int>(2 + next(8));
            const bool space = left == 1;
            const float* c = kColors[(line + column / 10) % 4];
            const float width = space ? 0.0f : static_cast<float>(5 + next(4));
            const unsigned cell = next(256);
            const float u = static_cast<float>(cell % 16) / 16.0f;
            const float v = static_cast<float>(cell / 16) / 16.0f;
            layout.quads.push_back({c[0] * c[3], c[1] * c[3], c[2] * c[3], c[3], pen,
                                    top + 1 + static_cast<float>(next(2)), pen + width, top + 11, u,
                                    v, u + 0.05f, v + 0.06f});
            pen += space ? 4.0f : width + 1.0f;
        }
    }
    layout.box_width = layout.extent_width = 640;
    layout.box_height = layout.extent_height = kLines * kLineHeight;
    return layout;
}

struct Timing {
    Clock::duration drawing{};
    Clock::duration frames{};
};

// Runs frames frames, each drawing the layout with draw(); the drawing call and the whole frame
// are timed apart.
template <typename Draw>
Timing run(tarn::Renderer& renderer, int frames, Draw draw) {
    Timing timing;
    glFinish();
    const auto start = Clock::now();
    for (int f = 0; f < frames; ++f) {
        renderer.begin_frame();
        renderer.bind_window();
        const auto before = Clock::now();
        draw(f);
        timing.drawing += Clock::now() - before;
        renderer.end_frame();
        bench::SpriteBench::swap_buffers();
    }
    glFinish();
    timing.frames = Clock::now() - start;
    return timing;
}

void report(const char* path, const Timing& timing, int frames, std::size_t glyphs) {
    const double total = static_cast<double>(frames) * static_cast<double>(glyphs);
    const auto per_glyph = [total](Clock::duration d) {
        return std::chrono::duration<double, std::nano>(d).count() / total;
    };
    std::printf(
        "%zu glyphs, %s: %.2f ns per glyph in the drawing call, %.2f ns per glyph per "
        "frame (%.3f ms per frame)\n",
        glyphs, path, per_glyph(timing.drawing), per_glyph(timing.frames),
        std::chrono::duration<double, std::milli>(timing.frames).count() / frames);
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 200;
    tarn::create_singletons();
    bench::SpriteBench bench;
    if (!bench.start(640, 480))
        return 1;
    tarn::Renderer& renderer = bench.renderer();
    tarn::GpuTexture* texture = bench.sprite().texture();
    const tarn::TextLayout layout = screen_of_text();

    tarn::UIBatch batch(renderer);
    if (!batch.create()) {
        std::fprintf(stderr, "no UI batch\n");
        return 1;
    }
    batch.set_color({1.0f, 1.0f, 1.0f, 1.0f});
    const auto ui = [&](int f) {
        renderer.apply_state_if_changed(batch.render_state());
        tarn::draw_text_layout(batch, layout, texture, {static_cast<float>(f % 8), 0}, {1, 1});
    };
    const auto scene = [&](int f) {
        const tarn::Affine2 transform = tarn::Affine2::translation(320, 240) *
                                        tarn::Affine2::rotation(f * 0.001f) *
                                        tarn::Affine2::translation(-320, -240);
        tarn::emit_text_layout(renderer, transform, layout, texture, {1, 1, 1, 1});
    };
    run(renderer, 5, ui);
    report("UI path", run(renderer, frames, ui), frames, layout.quads.size());
    run(renderer, 5, scene);
    report("scene path", run(renderer, frames, scene), frames, layout.quads.size());
    return 0;
}
