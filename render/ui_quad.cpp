#include "render/ui_quad.hpp"

#include "render/ui_batch.hpp"

namespace tarn {

namespace {

enum Corner { kTopLeft = 0, kTopRight = 1, kBottomLeft = 2, kBottomRight = 3 };

UIVertex vertex(float x, float y, const std::array<float, 2>& uv) {
    return {x, y, uv[0], uv[1]};
}

}  // namespace

void draw_ui_quad(UIBatch& batch, const UIQuad& quad, const GpuTexture* texture) {
    if (!batch.created())
        return;
    batch.apply_color();
    UIVertex* v = batch.map_vertices();
    v[0] = vertex(quad.x1, quad.y0, quad.uv[kTopRight]);
    v[1] = vertex(quad.x0, quad.y0, quad.uv[kTopLeft]);
    v[2] = vertex(quad.x1, quad.y1, quad.uv[kBottomRight]);
    v[3] = vertex(quad.x0, quad.y1, quad.uv[kBottomLeft]);
    batch.unmap_vertices();
    batch.draw_quads(1, texture);
}

}  // namespace tarn
