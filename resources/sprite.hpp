#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "render/vertex_format.hpp"
#include "resources/collision_shape.hpp"
#include "resources/texture.hpp"
#include "script/engine_object.hpp"
#include "script/object_ref.hpp"

namespace tarn {

class Sprite;

// One frame of an animated sprite: its sprite, base display time and random extra time.
struct SpriteFrame {
    ObjectRef<Sprite> sprite;
    float duration = 0;
    float random_extra = 0;
};

// Texture coordinates of a sprite's four corners.
enum SpriteCorner { kTopLeft = 0, kTopRight = 1, kBottomLeft = 2, kBottomRight = 3 };
using SpriteUv = std::array<std::array<float, 2>, 4>;

// A drawable piece of a texture from "g_sprite_defs": a static rectangle of one texture, or an
// animation over other sprites (frames) with per-frame durations. Carries a pivot, border insets
// and collision shapes relative to the pivot.
class Sprite : public EngineObject {
public:
    enum Kind : std::int32_t { kStatic = 0, kAnimated = 1 };

    static ClassDescriptor class_descriptor;

    Sprite() = default;
    ~Sprite() override = default;
    const ClassDescriptor& descriptor() const override { return class_descriptor; }

    // Loads from the def; on failure logs why and "Unable to load sprite '...'.".
    bool load() override;

    Kind kind() const { return kind_; }
    bool is_animated() const { return kind_ == kAnimated; }
    Texture* texture() const { return texture_.get(); }
    const std::vector<SpriteFrame>& frames() const { return frames_; }
    int frame_count() const { return static_cast<int>(frames_.size()); }
    // x, y, w, h in texture pixels; w or h is negative after a flip.
    const std::array<float, 4>& rect() const { return rect_; }
    const SpriteUv& uv() const { return uv_; }
    const std::array<float, 2>& pivot() const { return pivot_; }
    const std::array<float, 2>& size() const { return size_; }
    // Left, right, top, bottom.
    const std::array<float, 4>& border() const { return border_; }
    bool has_border() const { return has_border_; }
    float duration() const { return duration_; }
    float random_duration() const { return random_duration_; }
    bool loop() const { return loop_; }
    // On the "_null_" texture: draws nothing.
    bool hidden() const { return hidden_; }
    const std::array<float, 4>& color() const { return color_; }
    PackedColor packed_color() const { return packed_color_; }
    const std::vector<CollisionShape>& shapes() const { return shapes_; }

    // A static, loaded sprite on rect of texture (a frame cut from it) with texture coordinates
    // uv_rect (u0, v0, u1, v1).
    void make_frame(Texture* texture, const std::array<float, 4>& rect,
                    const std::array<float, 4>& uv_rect, const std::array<float, 2>& pivot,
                    const std::array<float, 4>& color);
    // A static, loaded sprite covering the whole picture of texture.
    void make_whole_texture(Texture* texture);

private:
    friend class SpriteLoader;

    void set_color(const std::array<float, 4>& color);
    void uv_from_rect();

    Kind kind_ = kStatic;
    ObjectRef<Texture> texture_;
    std::vector<SpriteFrame> frames_;
    std::array<float, 4> rect_{};
    SpriteUv uv_{};
    std::array<float, 2> pivot_{};
    std::array<float, 2> size_{};
    std::array<float, 4> border_{};
    float duration_ = 0;
    float random_duration_ = 0;
    bool has_border_ = false;
    bool loop_ = false;
    bool hidden_ = false;
    bool loading_ = false;
    std::array<float, 4> color_ = {1.0f, 1.0f, 1.0f, 1.0f};
    PackedColor packed_color_{};
    std::vector<CollisionShape> shapes_;
};

// Turns a frame record of texture into a static sprite (see Sprite::make_frame).
void make_frame_sprite(Sprite& sprite, Texture* texture, const TextureFrame& frame);
// See Sprite::make_whole_texture.
inline void make_texture_sprite(Sprite& sprite, Texture* texture) {
    sprite.make_whole_texture(texture);
}

// Bytes R, G, B, A of colour, each channel (clamped to [0, 1], NaN as 0) times 255 and truncated.
PackedColor pack_color(const std::array<float, 4>& color);

}  // namespace tarn
