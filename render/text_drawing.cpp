#include "render/text_drawing.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "render/renderer.hpp"
#include "render/ui_batch.hpp"

namespace tarn {

namespace {

// Vertex order of a quad: top-right, top-left, bottom-right, bottom-left.
void write_ui_quad(UIVertex* v, const TextQuad& q, const Vec2& position, const Vec2& scale) {
    const float left = position[0] + scale[0] * q.x0;
    const float right = position[0] + scale[0] * q.x1;
    const float top = position[1] + scale[1] * q.y0;
    const float bottom = position[1] + scale[1] * q.y1;
    v[0] = {right, top, q.u1, q.v0};
    v[1] = {left, top, q.u0, q.v0};
    v[2] = {right, bottom, q.u1, q.v1};
    v[3] = {left, bottom, q.u0, q.v1};
}

// A colour channel times its tint as a byte, truncated; out-of-range products saturate (and NaN
// gives 0), since the float-to-byte conversion is undefined outside 0-255.
std::uint8_t tinted_byte(float channel, float tint) {
    return static_cast<std::uint8_t>(std::max(0.0f, std::min(channel * tint * 255.0f, 255.0f)));
}

PackedColor tinted_color(const TextQuad& q, const Vec4& tint) {
    return {tinted_byte(q.r, tint[0]), tinted_byte(q.g, tint[1]), tinted_byte(q.b, tint[2]),
            tinted_byte(q.a, tint[3])};
}

void put(BatchVertex& v, const Affine2& t, float x, float y, PackedColor color, float u, float tv) {
    v = {t.apply_x(x, y), t.apply_y(x, y), color, u, tv};
}

}  // namespace

void draw_text_layout(UIBatch& batch, const TextLayout& layout, const GpuTexture* texture,
                      const Vec2& position, const Vec2& scale) {
    if (!batch.created())
        return;
    batch.apply_color();
    const std::size_t total = layout.quads.size();
    for (std::size_t first = 0; first < total; first += UIBatch::kMaxQuads) {
        const std::size_t count = std::min<std::size_t>(total - first, UIBatch::kMaxQuads);
        UIVertex* vertices = batch.map_vertices();
        for (std::size_t i = 0; i < count; ++i)
            write_ui_quad(vertices + 4 * i, layout.quads[first + i], position, scale);
        batch.unmap_vertices();
        batch.draw_quads(static_cast<int>(count), texture);
    }
}

int emit_text_layout(Renderer& renderer, const Affine2& transform, const TextLayout& layout,
                     GpuTexture* texture, const Vec4& tint) {
    int written = 0;
    for (const TextQuad& q : layout.quads) {
        BatchVertex* v = renderer.add_quad(texture);
        if (v == nullptr)
            continue;
        const PackedColor color = tinted_color(q, tint);
        put(v[0], transform, q.x1, q.y0, color, q.u1, q.v0);
        put(v[1], transform, q.x0, q.y0, color, q.u0, q.v0);
        put(v[2], transform, q.x1, q.y1, color, q.u1, q.v1);
        put(v[3], transform, q.x0, q.y1, color, q.u0, q.v1);
        ++written;
    }
    return written;
}

}  // namespace tarn
