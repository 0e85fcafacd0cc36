#pragma once

#include <cstdint>
#include <string>

#include "core/game_loop.hpp"
#include "platform/events.hpp"
#include "script/script_object.hpp"

namespace tarn {

// What the command line asks of a run: after max_frames frames (0: no limit) a quit is
// requested as the game's own request would; the last frame drawn is saved as a PNG file named
// screenshot (when not empty) before it is shown.
struct RunOptions {
    std::int32_t max_frames = 0;
    std::string screenshot;
};

// One render pass: the renderer begins the frame, the game's callback draws, the batch is
// flushed, the buffers are swapped and the frame's input edges end. False when options asked
// for a screenshot of this frame and it could not be saved.
bool render_pass(const ScriptObject& game, const char* callback, const RunOptions& options = {});

// Runs frames of the game until a quit is requested: each waits on clock for its time step,
// applies the waiting events, steps the playing sounds, then calls the game's update and
// render. The clock must continue the reading that ended start-up (the platform record's now_ms).
// False when a screenshot was asked for and could not be saved.
bool run_frames(const ScriptObject& game, FrameClock& clock, platform::EventSource& events,
                const RunOptions& options = {});

}  // namespace tarn
