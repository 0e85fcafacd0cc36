#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "render/text_layout.hpp"
#include "resources/collision_shape.hpp"
#include "resources/emitter.hpp"
#include "resources/font.hpp"
#include "resources/sprite.hpp"
#include "resources/sprite_animation.hpp"
#include "resources/texture.hpp"
#include "scene/motion.hpp"
#include "scene/pin_count.hpp"
#include "scene/scene_callbacks.hpp"
#include "script/entity2d.hpp"
#include "script/object_ref.hpp"
#include "script/vector_math.hpp"

namespace tarn {

class Renderer;
class Scene;

// A 2D object of a scene: a place in the Entity2d hierarchy, one visual (sprite, animated
// sprite, texture frame, text, particle emitter or line) with its colour and local scale, and
// the behaviours a scene update advances (move, rotate, fade, animation, area and collision
// tests). Objects start enabled, in layer 0, in no scene and without a visual. A scene does not
// hold its objects: an object leaves its scene when it is destroyed.
class SceneObject : public Entity2d {
public:
    enum VisualKind : std::int32_t {
        kNoVisual = 0,
        kSpriteVisual = 1,
        kAnimatedSpriteVisual = 2,
        kTextureVisual = 3,
        kTextVisual = 4,
        kEmitterVisual = 5,
        kLineVisual = 6,
    };
    // Bits of flags().
    enum Flag : std::int32_t { kSheared = 0x1, kAreaSet = 0x2 };
    static constexpr int kMinLayer = -16;
    static constexpr int kMaxLayer = 16;

    static ClassDescriptor class_descriptor;

    SceneObject();
    ~SceneObject() override;
    const ClassDescriptor& descriptor() const override { return class_descriptor; }

    // Scene membership and draw order.
    Scene* scene() const { return scene_; }
    // Leaves the current scene (if another) and joins the end of this layer's list in scene;
    // null only leaves.
    void set_scene(Scene* scene);
    int layer() const { return layer_; }
    // Clamped to -16..16; in a scene, the object moves to the end of the new layer's list.
    void set_layer(int layer);
    SceneObject* previous() const { return previous_; }
    SceneObject* next() const { return next_; }

    bool enabled() const { return enabled_; }
    // Disabled objects are not drawn but still updated.
    void set_enabled(bool enabled) { enabled_ = enabled; }
    bool auto_destroy() const { return auto_destroy_; }
    // A finished emitter disables the object and drops its owner's reference.
    void set_auto_destroy(bool auto_destroy) { auto_destroy_ = auto_destroy; }
    VisualKind visual_kind() const { return visual_kind_; }
    std::int32_t flags() const { return flags_; }

    // Visuals. Resources are given loaded or not; each setter loads what it needs.
    Sprite* sprite() const { return sprite_.get(); }
    // A static or animated sprite; none, a failed sprite or another type shows nothing. Resets
    // the animation.
    void set_sprite(Sprite* sprite);
    Texture* texture() const { return texture_.get(); }
    // The sprite that shows the texture (its frame, or the whole picture).
    Sprite* texture_sprite() const { return texture_sprite_.get(); }
    void set_texture(Texture* texture);
    int frame() const { return frame_; }
    // The texture's extracted frame to show; any other index shows the whole texture.
    void set_frame(int frame);
    Font* font() const { return font_.get(); }
    // Used by the next set_text; the current text stays as laid out.
    void set_font(Font* font);
    // Lays the UTF-8 text out with the font, text width, align and font scale; without a font
    // that loads, only drops the old layout.
    void set_text(const char* utf8, int length = -1);
    const TextLayout* text_layout() const { return text_layout_.get(); }
    float text_width() const { return text_width_; }
    // Wrap width for later texts; -1: no wrapping.
    void set_text_width(float width) { text_width_ = width; }
    float font_scale() const { return font_scale_; }
    void set_font_scale(float scale) { font_scale_ = scale; }
    TextAlign text_align() const { return text_align_; }
    void set_text_align(TextAlign align) { text_align_ = align; }
    // Plays resource (the emitter def the caller found or created by name); one that fails to
    // load clears the state and shows nothing.
    void set_emitter(Emitter2dResource* resource);
    EmitterState& emitter_state() { return emitter_; }
    const EmitterState& emitter_state() const { return emitter_; }
    // A one-unit line from the object's world origin to end (canvas coordinates) drawn with the
    // white texture (the "_white_" texture the caller found or created).
    void set_line(Texture* white, const Vec2& end);
    const Vec2& line_end() const { return line_end_; }

    // Looks.
    const Vec2& local_scale() const { return local_scale_; }
    // Scales the visual only; children do not inherit it.
    void set_local_scale(const Vec2& scale) { local_scale_ = scale; }
    const Vec2& shear() const { return shear_; }
    // Shears sprite and texture visuals.
    void set_shear(const Vec2& shear);
    // r, g, b, a; a is what fades change.
    const Vec4& color() const { return color_; }
    void set_color(const Vec4& color) { color_ = color; }
    float occlusion() const { return occlusion_; }
    // Multiplies the drawn alpha only: 0 draws additively, 1 blends normally.
    void set_occlusion(float occlusion) { occlusion_ = occlusion; }
    bool repeat_x() const { return repeat_x_; }
    bool repeat_y() const { return repeat_y_; }
    // Tiles the sprite or texture visual across the canvas.
    void set_repeating(bool x, bool y) {
        repeat_x_ = x;
        repeat_y_ = y;
    }
    // The pivot of the sprite shown (sprite and animated sprite visuals), else (0, 0).
    Vec2 pivot() const;
    // Size of the sprite, frame, texture sprite or laid-out text shown, else (0, 0).
    Vec2 size() const;
    // The static sprite the visual shows: the sprite, the current frame's sprite or the texture
    // sprite; null for other visuals.
    const Sprite* shown_sprite() const;

    // Motion. Rotations are in turns (1.0 = 360 degrees).
    void move_to(const Vec2& target, float speed);
    // Accelerates for accel_time, cruises, decelerates for decel_time and arrives after
    // max(duration, accel_time + decel_time) seconds.
    void move_to2(const Vec2& target, float duration, float accel_time, float decel_time);
    void stop_move() { move_.stop(); }
    void rotate(float turns_per_second) { rotate_.start_continuous(turns_per_second); }
    // Turns the shorter way to target; returns the signed turn it will make.
    float rotate_to(float target, float turns_per_second);
    void stop_rotate() { rotate_.stop(); }
    void fade_alpha_to(float alpha, float duration);
    void stop_fade_alpha() { fade_.stop(); }
    // An update reports "out of area" while the world origin is outside [min, max].
    void set_area(const Vec2& min, const Vec2& max);
    const Vec2& area_min() const { return area_min_; }
    const Vec2& area_max() const { return area_max_; }
    const MoveState& move_state() const { return move_; }
    const RotateState& rotate_state() const { return rotate_; }
    const FadeState& fade_state() const { return fade_; }

    // Animation of the sprite (and the emitter's spawning for stop). Nothing happens without a
    // loaded sprite, except that stop always stops.
    void play();
    void play_backward();
    // Starts at a random point of the cycle.
    void play_random();
    void play_backward_random();
    void stop();
    bool is_playing() const { return animation_.has(SpriteAnimation::kPlaying); }
    // Overrides the sprite's own looping.
    void set_looping(bool looping);
    const SpriteAnimation& animation() const { return animation_; }

    // Collisions: circles relative to the object, bits saying what it is and a mask saying what
    // it reacts to.
    void add_collision_circle(const Vec2& center, float radius);
    void remove_all_collisions();
    const std::vector<CollisionShape>& collision_shapes() const { return shapes_; }
    std::int32_t collision_bits() const { return collision_bits_; }
    std::int32_t collision_mask() const { return collision_mask_; }
    void set_collision_bits(std::int32_t bits, std::int32_t mask);
    // Whether point (canvas coordinates) lies in a shape of the shown sprite or of the object.
    bool test_collision_with_point(const Vec2& point);

private:
    friend class Scene;

    // What one step of Scene::update found, one bit each.
    enum Step : std::uint32_t {
        kMoveEnded = 0x1,
        kRotateEnded = 0x2,
        kFadeEnded = 0x4,
        kOutOfArea = 0x8,
        kAnimationEnded = 0x10,
    };

    // The first part of an object's update: fade, rotation, move and animation. Returns Step
    // bits.
    std::uint32_t advance(float dt);
    // The emitter's part: particles at the world origin; a finished auto-destroy emitter
    // disables the object and drops its owner's reference, which may be the last one.
    void update_emitter(float dt);
    bool out_of_area();
    // Draws the visual (and text) into the renderer's quad batch.
    void draw(Renderer& renderer);
    void draw_sprite(Renderer& renderer, const Sprite& shown);
    void draw_tiles(Renderer& renderer, const Sprite& shown, const Affine2& matrix,
                    PackedColor color);
    void start_animation(bool backward, bool random);
    void choose_texture_sprite();
    // Whether the collision pass considers the object: it has circles and bits or a mask.
    bool is_collider() const {
        return !shapes_.empty() && (collision_bits_ != 0 || collision_mask_ != 0);
    }
    // Tells the scene when a change of shapes or bits made the object start or stop colliding.
    void collider_changed(bool was_collider);
    // Keeps the object alive across script callbacks (see Scene::update); the last unpin
    // deletes an object that nothing holds any more and reports false.
    void pin() { pins_.pin(*this); }
    bool unpin() { return pins_.unpin(*this); }

    // What every update and every drawing reads comes first, next to the Entity2d transform.
    SceneObject* next_ = nullptr;
    Scene* scene_ = nullptr;
    std::int32_t layer_ = 0;
    // The update pass that last advanced this object, so that a walk changed by callbacks
    // advances it once.
    std::uint32_t update_stamp_ = 0;
    VisualKind visual_kind_ = kNoVisual;
    std::int32_t flags_ = 0;
    bool enabled_ = true;
    bool auto_destroy_ = false;
    bool repeat_x_ = false;
    bool repeat_y_ = false;
    PinCount pins_;
    SpriteAnimation animation_;
    FadeState fade_;
    RotateState rotate_;
    MoveState move_;
    ObjectRef<Sprite> sprite_;
    Vec4 color_ = {1.0f, 1.0f, 1.0f, 1.0f};
    float occlusion_ = 1.0f;
    Vec2 local_scale_ = {1.0f, 1.0f};
    Vec2 shear_ = {0.0f, 0.0f};
    std::unique_ptr<TextLayout> text_layout_;
    ObjectRef<Sprite> texture_sprite_;
    SceneObject* previous_ = nullptr;
    std::int32_t collision_bits_ = 0;
    std::int32_t collision_mask_ = 0;
    std::vector<CollisionShape> shapes_;
    ObjectRef<Texture> texture_;
    std::int32_t frame_ = 0;
    ObjectRef<Font> font_;
    float text_width_ = -1.0f;
    float font_scale_ = 1.0f;
    TextAlign text_align_ = kTextAlignLeft;
    Vec2 area_min_{};
    Vec2 area_max_{};
    Vec2 line_end_{};
    // Tile steps last written to the log by a repeating visual.
    Vec2 logged_tile_steps_{};
    EmitterState emitter_;
};

}  // namespace tarn
