#pragma once

#include <cstdint>

namespace tarn {

// The clock the frame timing reads and sleeps on: the window system's in the engine, a fake one
// in tests.
class FrameClock {
public:
    virtual ~FrameClock() = default;
    // Milliseconds since the engine's clock started.
    virtual std::int32_t read() = 0;
    virtual void sleep(std::uint32_t milliseconds) = 0;
};

// Frame timing and the frames-per-second figure.
struct GameLoop {
    float min_frame_time = 0.001f;  // seconds; a frame never ends sooner
    float max_dt = 0.1f;            // seconds; the longest step handed to scripts
    std::int32_t frame_count = 0;
    float dt = 0.0f;
    float fps_frames = 0.0f;
    float fps_time = 0.0f;
    float fps = 0.0f;

    // Waits until at least min_frame_time has passed since previous_ms, then sets dt and
    // advances the fps window. Returns the clock value the frame ends at.
    std::int32_t time_frame(FrameClock& clock, std::int32_t previous_ms);
    // Counts a frame of the given unclamped length into dt and the fps window.
    void count_frame(float elapsed);
};

// The engine's frame timing. A process-wide object created at start-up (app/singletons.cpp).
GameLoop& game_loop();

}  // namespace tarn
