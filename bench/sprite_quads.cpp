// Measures the cost of one sprite quad emitted by the engine: emit_sprite_quad with a loaded
// sprite through the renderer's 2D batch (corners transformed by an Affine2, four vertices
// written, six indices counted). Each round fills the batch exactly and is timed on its own; the
// flush that draws it is timed apart. Mesa is asked to drop the draws (GALLIUM_NOOP=1 unless the
// environment says otherwise): a software rasterizer working through the previous batch would
// otherwise compete with the emission for the processor and its caches. Needs a display (Xvfb is
// fine).
//
//   bench_sprite_quads [MILLIONS_OF_QUADS]
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/singletons.hpp"
#include "resources/sprite_quad.hpp"
#include "sprite_bench.hpp"

namespace {

using Clock = std::chrono::steady_clock;
using tarn::Affine2;

constexpr int kQuadsPerRound = tarn::QuadBatch::kMaxVertices / 4;

}  // namespace

int main(int argc, char** argv) {
    const long millions = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 20;
    const long rounds = (millions > 0 ? millions : 20) * 1000000L / kQuadsPerRound;
    setenv("GALLIUM_NOOP", "1", 0);
    tarn::create_singletons();
    bench::SpriteBench bench;
    if (!bench.start(64, 64))
        return 1;
    tarn::Renderer& renderer = bench.renderer();
    const tarn::Sprite& sprite = bench.sprite();

    // A spread of placements, so that every quad is transformed for real.
    constexpr int kPlacements = 1024;
    std::array<Affine2, kPlacements> placements;
    for (int i = 0; i < kPlacements; ++i) {
        placements[i] = Affine2::translation(i % 640, i % 480) * Affine2::rotation(i * 0.01f) *
                        Affine2::scale(1.0f + (i % 7) * 0.1f, 1.0f);
    }
    const tarn::PackedColor color = tarn::PackedColor::premultiplied(1.0f, 0.8f, 0.6f, 0.5f);

    Clock::duration emitting{}, drawing{};
    long placement = 0;
    renderer.begin_frame();
    for (long r = 0; r < rounds; ++r) {
        const auto start = Clock::now();
        for (int q = 0; q < kQuadsPerRound; ++q, ++placement) {
            tarn::emit_sprite_quad(renderer, placements[placement & (kPlacements - 1)], sprite, 0,
                                   color);
        }
        const auto emitted = Clock::now();
        renderer.flush_batch();
        drawing += Clock::now() - emitted;
        emitting += emitted - start;
    }
    renderer.end_frame();

    const double quads = static_cast<double>(rounds) * kQuadsPerRound;
    const auto per_quad = [quads](Clock::duration d) {
        return std::chrono::duration<double, std::nano>(d).count() / quads;
    };
    std::printf("%.0f quads: %.2f ns per quad emitted, %.2f ns per quad drawn (batch flushes)\n",
                quads, per_quad(emitting), per_quad(drawing));
    return 0;
}
