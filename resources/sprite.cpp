#include "resources/sprite.hpp"

#include <algorithm>

namespace tarn {

ClassDescriptor Sprite::class_descriptor("Sprite", &EngineObject::class_descriptor,
                                         "sprite2_def_to_obj", "g_sprite_defs", nullptr,
                                         []() -> EngineObject* { return new Sprite; });

PackedColor pack_color(const std::array<float, 4>& color) {
    auto byte = [](float value) {
        // Written so that NaN, which std::clamp passes through, packs as 0.
        return static_cast<std::uint8_t>((value > 0.0f ? std::min(value, 1.0f) : 0.0f) * 255.0f);
    };
    return {byte(color[0]), byte(color[1]), byte(color[2]), byte(color[3])};
}

void Sprite::set_color(const std::array<float, 4>& color) {
    color_ = color;
    packed_color_ = pack_color(color);
}

void Sprite::uv_from_rect() {
    const float iw = texture_ ? texture_->inv_width() : 0.0f;
    const float ih = texture_ ? texture_->inv_height() : 0.0f;
    const float left = rect_[0] * iw;
    const float top = rect_[1] * ih;
    const float right = (rect_[0] + rect_[2]) * iw;
    const float bottom = (rect_[1] + rect_[3]) * ih;
    uv_[kTopLeft] = {left, top};
    uv_[kTopRight] = {right, top};
    uv_[kBottomLeft] = {left, bottom};
    uv_[kBottomRight] = {right, bottom};
}

void Sprite::make_frame(Texture* texture, const std::array<float, 4>& rect,
                        const std::array<float, 4>& uv_rect, const std::array<float, 2>& pivot,
                        const std::array<float, 4>& color) {
    kind_ = kStatic;
    texture_.reset(texture);
    hidden_ = texture != nullptr && texture->is_null();
    rect_ = rect;
    uv_[kTopLeft] = {uv_rect[0], uv_rect[1]};
    uv_[kTopRight] = {uv_rect[2], uv_rect[1]};
    uv_[kBottomLeft] = {uv_rect[0], uv_rect[3]};
    uv_[kBottomRight] = {uv_rect[2], uv_rect[3]};
    pivot_ = pivot;
    size_ = {rect[2], rect[3]};
    border_ = {};
    has_border_ = false;
    set_color(color);
    set_load_state(kLoaded);
}

void Sprite::make_whole_texture(Texture* texture) {
    kind_ = kStatic;
    texture_.reset(texture);
    hidden_ = texture != nullptr && texture->is_null();
    const float width = texture ? static_cast<float>(texture->image_width()) : 0.0f;
    const float height = texture ? static_cast<float>(texture->image_height()) : 0.0f;
    rect_ = {0.0f, 0.0f, width, height};
    pivot_ = {0.0f, 0.0f};
    size_ = {width, height};
    uv_from_rect();
    set_load_state(kLoaded);
}

void make_frame_sprite(Sprite& sprite, Texture* texture, const TextureFrame& frame) {
    sprite.make_frame(texture, {frame.x, frame.y, frame.w, frame.h},
                      {frame.u0, frame.v0, frame.u1, frame.v1}, {frame.pivot_x, frame.pivot_y},
                      frame.color);
}

}  // namespace tarn
