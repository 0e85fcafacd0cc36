#include "resources/sprite_quad.hpp"

#include "render/renderer.hpp"
#include "resources/sprite.hpp"

namespace tarn {

namespace {

// The static sprite that shows for frame of sprite (nested animations show their first frame).
const Sprite* shown_sprite(const Sprite& sprite, int frame) {
    const Sprite* shown = &sprite;
    for (int depth = 0; shown->is_animated() && depth < 8; ++depth) {
        if (frame < 0 || frame >= shown->frame_count())
            return nullptr;
        shown = shown->frames()[static_cast<std::size_t>(frame)].sprite.get();
        frame = 0;
    }
    return shown->is_animated() ? nullptr : shown;
}

void put(BatchVertex& v, const Affine2& t, float x, float y, PackedColor color,
         const std::array<float, 2>& uv) {
    v = {t.apply_x(x, y), t.apply_y(x, y), color, uv[0], uv[1]};
}

}  // namespace

void emit_sprite_quad(Renderer& renderer, const Affine2& transform, const Sprite& sprite, int frame,
                      PackedColor color) {
    if (sprite.hidden())
        return;
    const Sprite* shown = shown_sprite(sprite, frame);
    if (shown == nullptr || shown->hidden())
        return;
    BatchVertex* v = renderer.add_quad(shown->texture());
    if (v == nullptr)
        return;
    const float left = -shown->pivot()[0];
    const float top = -shown->pivot()[1];
    const float right = shown->size()[0] + left;
    const float bottom = shown->size()[1] + top;
    const SpriteUv& uv = shown->uv();
    put(v[0], transform, right, top, color, uv[kTopRight]);
    put(v[1], transform, left, top, color, uv[kTopLeft]);
    put(v[2], transform, right, bottom, color, uv[kBottomRight]);
    put(v[3], transform, left, bottom, color, uv[kBottomLeft]);
}

}  // namespace tarn
