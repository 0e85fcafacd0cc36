#pragma once

#include <cstdint>

namespace tarn {

class Sprite;

// The play cursor over a sprite's frames, owned by whatever shows the sprite (scene objects, UI
// sprites). advance and step return true when a one-shot play reaches its end.
struct SpriteAnimation {
    enum Flag : std::uint32_t {
        kPlaying = 0x1,
        kReverse = 0x2,
        kLooping = 0x4,
        kLoopingSetByOwner = 0x8,
        // A looping play without a cycle length: runs on frame times, never ends.
        kTimedOnce = 0x10,
    };

    std::uint32_t flags = 0;
    std::int32_t frame = 0;
    float time_left = 0;

    bool has(std::uint32_t flag) const { return (flags & flag) != 0; }

    // Plays sprite from its first frame (last when reversed), then skips time_offset.
    void start(const Sprite& sprite, float time_offset);
    // Moves on by dt; a dt longer than a whole cycle ends a one-shot play at once and is reduced
    // to the rest of a cycle when looping.
    bool advance(const Sprite& sprite, float dt);
    // Moves on by dt frame by frame.
    bool step(const Sprite& sprite, float dt);

private:
    bool stop();
    bool step_frames(const Sprite& sprite, float dt);
};

// Display time of frame i of sprite: static sprites show for their duration; an animated frame
// adds a random part of its extra time.
float sprite_frame_time(const Sprite& sprite, int frame);

}  // namespace tarn
