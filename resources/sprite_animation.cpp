#include "resources/sprite_animation.hpp"

#include <cmath>

#include "core/random.hpp"
#include "resources/sprite.hpp"

namespace tarn {

float sprite_frame_time(const Sprite& sprite, int frame) {
    if (!sprite.is_animated())
        return sprite.duration();
    if (frame < 0 || frame >= sprite.frame_count())
        return 0.0f;
    const SpriteFrame& entry = sprite.frames()[static_cast<std::size_t>(frame)];
    if (entry.random_extra == 0.0f)
        return entry.duration;
    return entry.duration + entry.random_extra * random_unit();
}

void SpriteAnimation::start(const Sprite& sprite, float time_offset) {
    flags &= ~(kPlaying | kTimedOnce);
    if (!has(kLoopingSetByOwner))
        flags = sprite.loop() ? flags | kLooping : flags & ~kLooping;
    if (has(kLooping) && sprite.duration() <= 0.0f)
        flags |= kTimedOnce;
    flags |= kPlaying;
    frame = has(kReverse) && sprite.is_animated() ? sprite.frame_count() - 1 : 0;
    time_left = sprite_frame_time(sprite, frame);
    if (time_offset > 0.0f) {
        const std::uint32_t before = flags;
        if (advance(sprite, time_offset))
            flags = before;
    }
}

bool SpriteAnimation::stop() {
    flags &= ~(kPlaying | kTimedOnce);
    return true;
}

bool SpriteAnimation::advance(const Sprite& sprite, float dt) {
    if (!has(kPlaying))
        return false;
    const float total = sprite.duration() + sprite.random_duration();
    if (sprite.is_animated() && !has(kTimedOnce) && dt > total) {
        if (!has(kLooping)) {
            frame = has(kReverse) ? 0 : sprite.frame_count() - 1;
            return stop();
        }
        dt = total > 0.0f ? std::fmod(dt, total) : 0.0f;
    }
    return step(sprite, dt);
}

bool SpriteAnimation::step(const Sprite& sprite, float dt) {
    if (!has(kPlaying))
        return false;
    if (sprite.is_animated() && !has(kTimedOnce))
        return step_frames(sprite, dt);
    time_left -= dt;
    if (time_left > 0.0f)
        return false;
    if (!has(kLooping))
        return stop();
    time_left = sprite_frame_time(sprite, 0);
    return false;
}

bool SpriteAnimation::step_frames(const Sprite& sprite, float dt) {
    const int count = sprite.frame_count();
    time_left -= dt;
    int cursor = frame;
    // Frames that add no time cannot end the loop below; a whole cycle of them stops the play.
    int empty_frames = 0;
    while (time_left <= 0.0f) {
        const bool reverse = has(kReverse);
        const bool looping = has(kLooping);
        int next = reverse ? cursor - 1 : cursor + 1;
        if (next < 0 || next >= count) {
            if (!looping || count == 0)
                return stop();
            next = reverse ? count - 1 : 0;
        }
        cursor = next;
        const float added = sprite_frame_time(sprite, cursor);
        time_left += added;
        empty_frames = added > 0.0f ? 0 : empty_frames + 1;
        if (time_left > 0.0f)
            frame = cursor;
        else if (empty_frames > count)
            return stop();
    }
    return false;
}

}  // namespace tarn
