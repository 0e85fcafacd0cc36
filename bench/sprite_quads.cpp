// Measures the cost of emitting one sprite quad into the 2D batch: corners transformed by an
// Affine2, a premultiplied colour packed, four vertices written and six indices appended. The
// batch is emptied instead of drawn when full, so no GL context is needed.
//
//   bench_sprite_quads [MILLIONS_OF_QUADS]
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/singletons.hpp"
#include "render/quad_batch.hpp"
#include "render/vertex_streams.hpp"
#include "resources/texture.hpp"
#include "script/affine2.hpp"

namespace {

using tarn::Affine2;
using tarn::BatchVertex;
using tarn::PackedColor;
using tarn::QuadBatch;

struct SpriteFrame {
    float width = 32, height = 24, pivot_x = 16, pivot_y = 12;
    float u0 = 0.25f, v0 = 0.5f, u1 = 0.5f, v1 = 0.75f;
};

// Writes one sprite quad in the engine's vertex order: top-right, top-left, bottom-right,
// bottom-left.
void emit(QuadBatch& batch, tarn::Texture* texture, const Affine2& t, const SpriteFrame& f,
          const std::array<float, 4>& rgba) {
    if (batch.must_break_for(texture))
        batch.clear_counts();
    BatchVertex* v = batch.reserve_quad(texture);
    const PackedColor color = PackedColor::premultiplied(rgba[0], rgba[1], rgba[2], rgba[3]);
    const float left = -f.pivot_x, top = -f.pivot_y;
    const float right = left + f.width, bottom = top + f.height;
    v[0] = {t.apply_x(right, top), t.apply_y(right, top), color, f.u1, f.v0};
    v[1] = {t.apply_x(left, top), t.apply_y(left, top), color, f.u0, f.v0};
    v[2] = {t.apply_x(right, bottom), t.apply_y(right, bottom), color, f.u1, f.v1};
    v[3] = {t.apply_x(left, bottom), t.apply_y(left, bottom), color, f.u0, f.v1};
}

}  // namespace

int main(int argc, char** argv) {
    const long millions = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 20;
    const long quads = (millions > 0 ? millions : 20) * 1000000L;
    tarn::create_singletons();

    tarn::ObjectRef<tarn::Texture> texture(new tarn::Texture());
    QuadBatch batch;
    tarn::VertexStreams streams;
    batch.ensure_memory();
    batch.map(streams);

    // A spread of placements, so that every quad is transformed for real.
    constexpr int kPlacements = 1024;
    std::array<Affine2, kPlacements> placements;
    for (int i = 0; i < kPlacements; ++i) {
        placements[i] = Affine2::translation(i % 640, i % 480) * Affine2::rotation(i * 0.01f) *
                        Affine2::scale(1.0f + (i % 7) * 0.1f, 1.0f);
    }
    const SpriteFrame frame;
    const std::array<float, 4> rgba = {1.0f, 0.8f, 0.6f, 0.5f};

    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < quads; ++i)
        emit(batch, texture.get(), placements[i & (kPlacements - 1)], frame, rgba);
    const auto end = std::chrono::steady_clock::now();

    const double ns = std::chrono::duration<double, std::nano>(end - start).count();
    const BatchVertex& last = batch.vertices()[batch.vertex_count() - 1];
    std::printf("%ld quads: %.2f ns per quad (last vertex %.1f, %.1f)\n", quads, ns / quads, last.x,
                last.y);
    batch.unmap(streams);
    return 0;
}
