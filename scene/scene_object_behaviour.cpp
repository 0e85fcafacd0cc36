#include "core/random.hpp"
#include "scene/scene.hpp"
#include "scene/scene_object.hpp"

namespace tarn {

void SceneObject::move_to(const Vec2& target, float speed) {
    move_.start_constant({x(), y()}, target, speed);
}

void SceneObject::move_to2(const Vec2& target, float duration, float accel_time, float decel_time) {
    move_.start_profiled({x(), y()}, target, duration, accel_time, decel_time);
}

float SceneObject::rotate_to(float target, float turns_per_second) {
    return rotate_.start_towards(rotation(), target, turns_per_second);
}

void SceneObject::fade_alpha_to(float alpha, float duration) {
    fade_.start_fade(color_[3], alpha, duration);
}

void SceneObject::set_area(const Vec2& min, const Vec2& max) {
    area_min_ = min;
    area_max_ = max;
    flags_ |= kAreaSet;
}

void SceneObject::play() {
    start_animation(false, false);
}

void SceneObject::play_backward() {
    start_animation(true, false);
}

void SceneObject::play_random() {
    start_animation(false, true);
}

void SceneObject::play_backward_random() {
    start_animation(true, true);
}

void SceneObject::start_animation(bool backward, bool random) {
    if (!sprite_ || sprite_->load_state() != kLoaded)
        return;
    stop();
    if (backward)
        animation_.flags |= SpriteAnimation::kReverse;
    else
        animation_.flags &= ~SpriteAnimation::kReverse;
    const float offset =
        random ? random_unit() * (sprite_->duration() + sprite_->random_duration()) : 0.0f;
    animation_.start(*sprite_, offset);
}

void SceneObject::stop() {
    animation_.flags &= ~(SpriteAnimation::kPlaying | SpriteAnimation::kTimedOnce);
    if (visual_kind_ == kEmitterVisual)
        emitter_.stop();
}

void SceneObject::set_looping(bool looping) {
    if (looping)
        animation_.flags |= SpriteAnimation::kLooping;
    else
        animation_.flags &= ~SpriteAnimation::kLooping;
    animation_.flags |= SpriteAnimation::kLoopingSetByOwner;
}

void SceneObject::add_collision_circle(const Vec2& center, float radius) {
    const bool was_collider = is_collider();
    shapes_.push_back(CollisionShape::circle(center[0], center[1], radius));
    collider_changed(was_collider);
}

void SceneObject::remove_all_collisions() {
    const bool was_collider = is_collider();
    shapes_.clear();
    collider_changed(was_collider);
}

void SceneObject::set_collision_bits(std::int32_t bits, std::int32_t mask) {
    const bool was_collider = is_collider();
    collision_bits_ = bits;
    collision_mask_ = mask;
    collider_changed(was_collider);
}

void SceneObject::collider_changed(bool was_collider) {
    if (scene_ != nullptr && was_collider != is_collider())
        scene_->collider_count_ += was_collider ? -1 : 1;
}

namespace {

bool any_contains(const std::vector<CollisionShape>& shapes, const Affine2& world,
                  const Vec2& point) {
    for (const CollisionShape& shape : shapes) {
        if (shape.contains(world, point[0], point[1]))
            return true;
    }
    return false;
}

}  // namespace

bool SceneObject::test_collision_with_point(const Vec2& point) {
    const Affine2& world = world_matrix();
    if (visual_kind_ == kSpriteVisual || visual_kind_ == kAnimatedSpriteVisual) {
        const Sprite* shown = shown_sprite();
        if (shown != nullptr && any_contains(shown->shapes(), world, point))
            return true;
        if (visual_kind_ == kAnimatedSpriteVisual && any_contains(sprite_->shapes(), world, point))
            return true;
    }
    return any_contains(shapes_, world, point);
}

bool SceneObject::out_of_area() {
    const Affine2& world = world_matrix();
    const float wx = world.m[4];
    const float wy = world.m[5];
    return !(area_min_[0] <= wx && wx <= area_max_[0] && area_min_[1] <= wy && wy <= area_max_[1]);
}

void SceneObject::update_emitter(float dt) {
    const Affine2& world = world_matrix();
    emitter_.update(dt, world.m[4], world.m[5]);
    if (auto_destroy_ && emitter_.is_finished()) {
        enabled_ = false;
        set_owner(nullptr);
    }
}

std::uint32_t SceneObject::advance(float dt) {
    std::uint32_t steps = 0;
    if (fade_.active() && fade_.step(dt, color_[3]))
        steps |= kFadeEnded;
    if (rotate_.mode != RotateState::kNone) {
        float turns = rotation();
        if (rotate_.step(dt, turns))
            steps |= kRotateEnded;
        set_rotation(turns);
    }
    if (move_.mode != MoveState::kNone) {
        Vec2 position{x(), y()};
        if (move_.step(dt, position))
            steps |= kMoveEnded;
        set_position(position[0], position[1]);
    }
    if (animation_.has(SpriteAnimation::kPlaying) && sprite_ && sprite_->load_state() == kLoaded &&
        animation_.step(*sprite_, dt))
        steps |= kAnimationEnded;
    return steps;
}

}  // namespace tarn
