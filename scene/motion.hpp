#pragma once

#include <cstdint>

#include "script/vector_math.hpp"

namespace tarn {

// A straight move of a scene object's local position: at constant speed, or along a profile
// that accelerates, cruises and decelerates so that it arrives after a given duration.
struct MoveState {
    enum Mode : std::int32_t { kNone = 0, kConstant = 1, kProfiled = 2 };

    std::int32_t mode = kNone;
    float duration = -1;
    float elapsed = -1;
    Vec2 target{};
    Vec2 start{};
    // Profiled moves: acceleration, deceleration (fractions of the way per second squared) and
    // the times spent on each.
    float accel = 0;
    float decel = 0;
    float accel_time = 0;
    float decel_time = 0;

    // From from to to at speed units per second; a zero distance completes at the next step.
    void start_constant(const Vec2& from, const Vec2& to, float speed);
    // From from to to in max(duration, accel_time + decel_time) seconds.
    void start_profiled(const Vec2& from, const Vec2& to, float duration, float accel_time,
                        float decel_time);
    void stop();
    // Advances by dt and writes the new position when moving; true when the move just ended.
    bool step(float dt, Vec2& position);
    // The fraction of the way a profiled move has covered after t seconds.
    float profiled_fraction(float t) const;
    // The cruising speed of a profiled move, in fractions of the way per second.
    float top_speed() const;
};

// A rotation in turns: continuous at a speed, or towards a target the shortest way round.
struct RotateState {
    enum Mode : std::int32_t { kNone = 0, kContinuous = 1, kTowards = 2 };

    std::int32_t mode = kNone;
    float target = 0;
    float start = 0;
    float duration = 0;
    float elapsed = 0;
    float speed = 0;  // turns per second, continuous mode

    void start_continuous(float turns_per_second);
    // Turns from current to target (both in turns) the shorter way at speed turns per second;
    // returns the signed turn it will make. A turn of almost nothing completes at the next step.
    float start_towards(float current, float target_turns, float turns_per_second);
    void stop() { mode = kNone; }
    // Advances by dt, updating rotation when rotating; true when a turn towards a target ended.
    bool step(float dt, float& rotation);
};

// A linear change of the colour's alpha over a duration.
struct FadeState {
    float target = 0;
    float start = 0;
    float duration = -1;  // negative: not fading
    float elapsed = 0;

    // A duration of almost nothing completes at the next step.
    void start_fade(float from, float to, float seconds);
    void stop() { duration = -1; }
    bool active() const { return duration > 0; }
    // Advances by dt, updating alpha when fading; true when the fade just ended.
    bool step(float dt, float& alpha);
};

// v - floor(v): a rotation brought into [0, 1).
float fraction_of_turn(float v);

}  // namespace tarn
