#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "core/random.hpp"
#include "resources/emitter.hpp"
#include "resources/sprite_quad.hpp"
#include "script/affine2.hpp"

namespace tarn {

struct EmitterState::Particle {
    float x = 0, y = 0;
    float velocity_x = 0, velocity_y = 0;
    float alpha = 0;
    float gravity = 0;
    float rotation = 0;  // turns
    float scale_x = 1, scale_y = 1;
    float age = 0;
    float lifetime = 0;
    const Sprite* sprite = nullptr;  // held by the resource
    int frame = 0;
    float frame_time = 0;
};

namespace {

constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;

float random_in(const RandomRange& range) {
    return range.min + range.span * random_unit();
}

// A count of value (truncated), at most room; 0 for a value not above 0.
int whole_count(float value, int room) {
    return value > 0.0f ? static_cast<int>(std::min(value, static_cast<float>(room))) : 0;
}

// Room for the particles one play keeps alive at once, so that its updates do not allocate.
int expected_particles(const Emitter2dResource& e, float rate) {
    if (e.spawn_duration == 0.0f)
        return whole_count(rate, EmitterState::kMaxParticles);
    float longest = e.duration.min + e.duration.span;
    if (!(e.duration.min > 0.0f)) {
        for (const ObjectRef<Sprite>& sprite : e.sprites)
            longest = std::max(longest, sprite->duration());
    }
    return whole_count(rate * longest + 1.0f, EmitterState::kMaxParticles);
}

// Steps the particle's frame on by step: wrapping when the sprite loops, else staying on the
// last frame. A frame without a positive duration is passed at most once per step.
void advance_frame(int& frame, float& frame_time, const Sprite& sprite, float step) {
    const int last = sprite.frame_count() - 1;
    frame_time += step;
    const float cycle = sprite.duration();
    if (sprite.loop() && cycle > 0.0f && frame_time >= cycle)
        frame_time = std::fmod(frame_time, cycle);
    // Whole cycles are gone, so each frame is passed at most about once.
    for (int passed = 0; passed <= last + 1; ++passed) {
        if (frame == last && !sprite.loop())
            return;
        const float d = sprite.frames()[static_cast<std::size_t>(frame)].duration;
        if (!(frame_time >= d))
            return;
        frame = frame == last ? 0 : frame + 1;
        if (!(d > 0.0f))
            return;
        frame_time -= d;
    }
}

// The vertex colour: red, green and blue premultiplied by alpha, and the occlusion (how much the
// particle covers what is behind it) in the alpha channel.
PackedColor particle_color(const Emitter2dResource& e, float alpha, float t) {
    float a = alpha;
    if ((e.flags & Emitter2dResource::kAlphaRun) != 0)
        a *= std::lerp(e.alpha_run.start, e.alpha_run.end, t);
    std::array<float, 3> rgb = {1.0f, 1.0f, 1.0f};
    if ((e.flags & Emitter2dResource::kColorRun) != 0) {
        for (std::size_t i = 0; i < rgb.size(); ++i)
            rgb[i] = std::lerp(e.color_run.start[i], e.color_run.end[i], t);
    }
    float occlusion = a;
    if ((e.flags & Emitter2dResource::kOcclusionRun) != 0)
        occlusion *= std::lerp(e.occlusion_run.start, e.occlusion_run.end, t);
    return pack_color({a * rgb[0], a * rgb[1], a * rgb[2], occlusion});
}

}  // namespace

EmitterState::EmitterState() = default;
EmitterState::~EmitterState() = default;

void EmitterState::clear() {
    particles_.clear();
    particle_count_ = 0;
    resource_.reset();
    rate_ = 0;
    spawn_carry_ = 0;
    time_ = 0;
    stopped_ = false;
}

void EmitterState::set_resource(Emitter2dResource* resource) {
    clear();
    if (resource == nullptr)
        return;
    resource_.reset(resource);
    if (!resource->ensure_loaded())
        return;
    rate_ = random_in(resource->spawn_rate);
    if (resource->initial_delay > 0.0f)
        time_ = -resource->initial_delay;
    particles_.reserve(static_cast<std::size_t>(expected_particles(*resource, rate_)));
}

void EmitterState::update(float dt, float x, float y) {
    if (!resource_ || resource_->load_state() != EngineObject::kLoaded)
        return;
    float step = dt;
    if (spawning()) {
        if (!pass_time(dt, step))
            return;
        for (int n = take_spawn_count(step); n > 0; --n)
            particles_.push_back(new_particle(x, y));
    }
    age_particles(step);
}

bool EmitterState::spawning() const {
    const float duration = resource_->spawn_duration;
    return !stopped_ && (duration < 0.0f || time_ <= duration);
}

bool EmitterState::pass_time(float dt, float& step) {
    const bool delaying = time_ < 0.0f;
    time_ += dt;
    if (!delaying)
        return true;
    if (time_ < 0.0f)
        return false;
    step = time_;
    return true;
}

int EmitterState::take_spawn_count(float step) {
    const int room = kMaxParticles - static_cast<int>(particles_.size());
    // A burst spends the whole rate once.
    if (resource_->spawn_duration == 0.0f)
        return whole_count(std::exchange(rate_, 0.0f), room);
    const float due = step * rate_ + spawn_carry_;
    const float whole = std::floor(due);
    spawn_carry_ = std::isfinite(due) ? due - whole : 0.0f;
    return whole_count(whole, room);
}

EmitterState::Particle EmitterState::new_particle(float x, float y) const {
    const Emitter2dResource& e = *resource_;
    Particle p;
    p.x = x;
    p.y = y;
    if ((e.flags & Emitter2dResource::kSpawnBox) != 0) {
        p.x += e.spawn_box[0] * (random_unit() - 0.5f);
        p.y += e.spawn_box[1] * (random_unit() - 0.5f);
    }
    const float direction = random_in(e.direction) * kTwoPi;
    const float speed = random_in(e.speed);
    p.velocity_x = speed * std::sin(direction);
    p.velocity_y = -speed * std::cos(direction);
    p.alpha = random_in(e.alpha);
    p.gravity = random_in(e.gravity);
    p.rotation = random_in(e.angle);
    const std::size_t count = e.sprites.size();
    const std::size_t pick =
        count > 1 ? std::min(static_cast<std::size_t>(random_unit() * count), count - 1) : 0;
    p.sprite = e.sprites[pick].get();
    p.lifetime = e.duration.min > 0.0f ? random_in(e.duration) : p.sprite->duration();
    return p;
}

void EmitterState::age_particles(float step) {
    // Compacts in place, keeping spawn order.
    std::size_t kept = 0;
    for (Particle& p : particles_) {
        p.age += step;
        if (p.age >= p.lifetime)
            continue;
        move_particle(p, step);
        particles_[kept++] = p;
    }
    particles_.resize(kept);
    particle_count_ = static_cast<int>(kept);
}

void EmitterState::move_particle(Particle& p, float step) const {
    const Emitter2dResource& e = *resource_;
    if (p.sprite->is_animated() && p.sprite->frame_count() > 0)
        advance_frame(p.frame, p.frame_time, *p.sprite, step);
    p.velocity_y += step * p.gravity;
    p.x += step * p.velocity_x;
    p.y += step * p.velocity_y;
    if ((e.flags & Emitter2dResource::kScaleRun) != 0) {
        const float t = p.age / p.lifetime;
        p.scale_x = std::lerp(e.scale_run.start[0], e.scale_run.end[0], t);
        p.scale_y = std::lerp(e.scale_run.start[1], e.scale_run.end[1], t);
    }
    p.rotation += step * e.rotation_speed;
}

bool EmitterState::is_finished() const {
    if (!resource_ || resource_->load_state() != EngineObject::kLoaded)
        return true;
    if (particle_count_ > 0)
        return false;
    if (stopped_)
        return true;
    const float duration = resource_->spawn_duration;
    if (duration < 0.0f)
        return false;
    return !(duration > time_);
}

void EmitterState::draw(Renderer& renderer) const {
    if (!resource_)
        return;
    for (const Particle& p : particles_) {
        const float c = std::cos(p.rotation * kTwoPi);
        const float s = std::sin(p.rotation * kTwoPi);
        // Local x runs along (c, s) scaled by scale x, local y along (-s, c) by scale y.
        const Affine2 placement = {
            {c * p.scale_x, s * p.scale_x, -s * p.scale_y, c * p.scale_y, p.x, p.y}};
        emit_sprite_quad(renderer, placement, *p.sprite, p.frame,
                         particle_color(*resource_, p.alpha, p.age / p.lifetime));
    }
}

}  // namespace tarn
