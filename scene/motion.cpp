#include "scene/motion.hpp"

#include <algorithm>
#include <cmath>

namespace tarn {

namespace {

// Turns and fades shorter than this complete at the next step.
constexpr float kTiny = 1.0f / 65536.0f;

Vec2 lerp(const Vec2& a, const Vec2& b, float t) {
    return {a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t};
}

}  // namespace

float fraction_of_turn(float v) {
    return v - std::floor(v);
}

void MoveState::start_constant(const Vec2& from, const Vec2& to, float speed) {
    mode = kConstant;
    start = from;
    target = to;
    const float distance = length(subtract(to, from));
    if (distance <= 0.0f) {
        duration = 1.0f;
        elapsed = 1.0f;
    } else {
        duration = distance / speed;
        elapsed = 0.0f;
    }
}

void MoveState::start_profiled(const Vec2& from, const Vec2& to, float seconds, float accel_t,
                               float decel_t) {
    mode = kProfiled;
    start = from;
    target = to;
    accel_time = accel_t;
    decel_time = decel_t;
    duration = std::max(seconds, accel_t + decel_t);
    elapsed = 0.0f;
    // Without a ramp there is nothing to divide by: that phase is skipped.
    const float vmax = top_speed();
    accel = accel_t > 0.0f ? vmax / accel_t : 0.0f;
    decel = decel_t > 0.0f ? vmax / decel_t : 0.0f;
}

float MoveState::top_speed() const {
    const float cruise = duration - (accel_time + decel_time) / 2.0f;
    return cruise > 0.0f ? 1.0f / cruise : 0.0f;
}

void MoveState::stop() {
    mode = kNone;
    duration = -1.0f;
    elapsed = -1.0f;
}

float MoveState::profiled_fraction(float t) const {
    const float vmax = top_speed();
    const float cruise_end = duration - decel_time;
    if (t <= accel_time)
        return accel * t * t / 2.0f;
    const float ramp_up = vmax * accel_time / 2.0f;
    if (t <= cruise_end)
        return vmax * (t - accel_time) + ramp_up;
    const float u = t - cruise_end;
    return vmax * (cruise_end - accel_time) + ramp_up + vmax * u - decel * u * u / 2.0f;
}

bool MoveState::step(float dt, Vec2& position) {
    if (mode == kNone)
        return false;
    elapsed += dt;
    const bool ended = duration <= elapsed;
    if (ended) {
        position = target;
        mode = kNone;
        return true;
    }
    const float fraction = mode == kConstant ? elapsed / duration : profiled_fraction(elapsed);
    position = lerp(start, target, fraction);
    return false;
}

void RotateState::start_continuous(float turns_per_second) {
    mode = kContinuous;
    speed = turns_per_second;
}

float RotateState::start_towards(float current, float target_turns, float turns_per_second) {
    mode = kTowards;
    start = fraction_of_turn(current);
    target = fraction_of_turn(target_turns);
    if (target >= start && target - start > 0.5f)
        start += 1.0f;
    else if (start > target && start - target > 0.5f)
        target += 1.0f;
    const float delta = target - start;
    if (std::fabs(delta) <= kTiny) {
        duration = 1.0f;
        elapsed = 1.0f;
    } else {
        duration = std::fabs(delta) / turns_per_second;
        elapsed = 0.0f;
    }
    return delta;
}

bool RotateState::step(float dt, float& rotation) {
    if (mode == kContinuous) {
        rotation = fraction_of_turn(rotation + dt * speed);
        return false;
    }
    if (mode != kTowards)
        return false;
    elapsed += dt;
    if (duration <= elapsed) {
        rotation = target;
        mode = kNone;
        return true;
    }
    rotation = start + elapsed / duration * (target - start);
    return false;
}

void FadeState::start_fade(float from, float to, float seconds) {
    target = to;
    start = from;
    if (seconds <= kTiny) {
        duration = 1.0f;
        elapsed = 1.0f;
    } else {
        duration = seconds;
        elapsed = 0.0f;
    }
}

bool FadeState::step(float dt, float& alpha) {
    if (!active())
        return false;
    elapsed += dt;
    if (duration <= elapsed) {
        alpha = target;
        duration = -1.0f;
        return true;
    }
    alpha = start + elapsed / duration * (target - start);
    return false;
}

}  // namespace tarn
