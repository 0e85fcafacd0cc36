// How a scene object's visual goes into the renderer's quad batch.
#include <cmath>

#include "core/log.hpp"
#include "core/message.hpp"
#include "render/renderer.hpp"
#include "render/text_drawing.hpp"
#include "resources/sprite_quad.hpp"
#include "scene/scene_object.hpp"

namespace tarn {

namespace {

// Colours are premultiplied: rgb by alpha; alpha also by the occlusion, so that an occlusion of
// 0 adds light without covering what is behind.
PackedColor visual_color(const SceneObject& object, const std::array<float, 4>& tint) {
    const Vec4& c = object.color();
    const float a = c[3];
    return pack_color({c[0] * tint[0] * a, c[1] * tint[1] * a, c[2] * tint[2] * a,
                       a * object.occlusion() * tint[3]});
}

// The world transform with the local scale on its columns and the shear applied.
Affine2 visual_matrix(SceneObject& object) {
    Affine2 m = object.world_matrix();
    const Vec2& scale = object.local_scale();
    m.m[0] *= scale[0];
    m.m[1] *= scale[0];
    m.m[2] *= scale[1];
    m.m[3] *= scale[1];
    if ((object.flags() & SceneObject::kSheared) != 0) {
        const Vec2& shear = object.shear();
        const Affine2 t = m;
        m.m[0] = t.m[0] + t.m[2] * shear[1];
        m.m[2] = t.m[2] + t.m[0] * shear[0];
        m.m[1] = t.m[1] + t.m[3] * shear[1];
        m.m[3] = t.m[3] + t.m[1] * shear[0];
    }
    return m;
}

// Where tiling along one axis starts: the first step at or before 0 that lines up with origin.
// A step that is not positive cannot tile; the origin alone is used.
float first_tile(float origin, float step, bool repeat) {
    if (!repeat || !(step > 0.0f))
        return origin;
    float start = std::fmod(origin, step);
    if (start > 0.0f)
        start -= step;
    return start;
}

bool tiles_on(bool repeat, float step) {
    return repeat && step > 0.0f;
}

// Tiles from first in steps of step while before end; one when not tiling.
int tile_count(bool tiling, float first, float step, float end) {
    if (!tiling)
        return 1;
    return end > first ? static_cast<int>(std::ceil((end - first) / step)) : 0;
}

// Steps are logged when they change, so a tiled background leaves one line and not one a frame.
void log_tile_steps(Vec2& logged, float step_x, float step_y) {
    if (logged[0] == step_x && logged[1] == step_y)
        return;
    logged = {step_x, step_y};
    log_message(message("%1 %2", step_x, step_y));
}

void draw_text(Renderer& renderer, SceneObject& object, const TextLayout& layout,
               GpuTexture* texture) {
    const Vec2& scale = object.local_scale();
    const Affine2 m = object.world_matrix() * Affine2::scale(scale[0], scale[1]);
    const Vec4& c = object.color();
    const float a = c[3];
    emit_text_layout(renderer, m, layout, texture,
                     {c[0] * a, c[1] * a, c[2] * a, a * object.occlusion()});
}

// A quad one unit wide from the object's origin to the line end, sampling the texture's first
// texel.
void draw_line(Renderer& renderer, SceneObject& object, PackedColor color) {
    Texture* texture = object.texture();
    const Affine2& world = object.world_matrix();
    const float x0 = world.m[4];
    const float y0 = world.m[5];
    const Vec2& end = object.line_end();
    const float dx = end[0] - x0;
    const float dy = end[1] - y0;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (!(length > 0.0f))
        return;
    BatchVertex* v = renderer.add_quad(texture);
    if (v == nullptr)
        return;
    const float nx = dy / length * 0.5f;
    const float ny = -dx / length * 0.5f;
    const float u = texture->inv_width();
    const float tv = texture->inv_height();
    v[0] = {x0 + nx, y0 + ny, color, u, 0.0f};
    v[1] = {x0 - nx, y0 - ny, color, 0.0f, 0.0f};
    v[2] = {end[0] + nx, end[1] + ny, color, u, tv};
    v[3] = {end[0] - nx, end[1] - ny, color, 0.0f, tv};
}

}  // namespace

void SceneObject::draw(Renderer& renderer) {
    if (visual_kind_ == kEmitterVisual)
        emitter_.draw(renderer);
    // The particles have colours of their own; everything else is drawn in the object's.
    if (color_[3] == 0.0f)
        return;
    if (const Sprite* shown = shown_sprite())
        draw_sprite(renderer, *shown);
    if (text_layout_ != nullptr && !text_layout_->quads.empty() && font_ &&
        font_->load_state() == kLoaded)
        draw_text(renderer, *this, *text_layout_, font_->texture());
    if (visual_kind_ == kLineVisual)
        draw_line(renderer, *this, visual_color(*this, {1.0f, 1.0f, 1.0f, 1.0f}));
}

void SceneObject::draw_sprite(Renderer& renderer, const Sprite& shown) {
    const PackedColor color = visual_color(*this, shown.color());
    const Affine2 m = visual_matrix(*this);
    if (!repeat_x_ && !repeat_y_) {
        emit_sprite_quad(renderer, m, shown, 0, color);
        return;
    }
    draw_tiles(renderer, shown, m, color);
}

// Tiles of the sprite's transformed size, axis-aligned, from the first step at or left of
// (above) the canvas edge to its far edge along each repeated axis; each tile's top-left corner
// sits on the grid.
void SceneObject::draw_tiles(Renderer& renderer, const Sprite& shown, const Affine2& m,
                             PackedColor color) {
    const float px = shown.pivot()[0];
    const float py = shown.pivot()[1];
    const float w = shown.size()[0];
    const float h = shown.size()[1];
    if (w == 0.0f || h == 0.0f)
        return;
    const float step_x = m.m[0] * w + m.m[2] * h;
    const float step_y = m.m[1] * w + m.m[3] * h;
    log_tile_steps(logged_tile_steps_, step_x, step_y);
    const float scale_x = step_x / w;
    const float scale_y = step_y / h;
    const bool across = tiles_on(repeat_x_, step_x);
    const bool down = tiles_on(repeat_y_, step_y);
    const float left = first_tile(m.m[4] - px * m.m[0] - py * m.m[2], step_x, across);
    const float top = first_tile(m.m[5] - px * m.m[1] - py * m.m[3], step_y, down);
    const std::array<float, 2> canvas = renderer.canvas_size();
    const int columns = tile_count(across, left, step_x, canvas[0]);
    const int rows = tile_count(down, top, step_y, canvas[1]);
    for (int column = 0; column < columns; ++column) {
        const float x = left + static_cast<float>(column) * step_x;
        for (int row = 0; row < rows; ++row) {
            const float y = top + static_cast<float>(row) * step_y;
            const Affine2 tile = {
                {scale_x, 0.0f, 0.0f, scale_y, x + px * scale_x, y + py * scale_y}};
            emit_sprite_quad(renderer, tile, shown, 0, color);
        }
    }
}

}  // namespace tarn
