#pragma once

#include "core/game_loop.hpp"
#include "platform/events.hpp"
#include "script/script_object.hpp"

namespace tarn {

// One render pass: the renderer begins the frame, the game's callback draws, the batch is
// flushed, the buffers are swapped and the frame's input edges end.
void render_pass(const ScriptObject& game, const char* callback);

// Runs frames of the game until a quit is requested: each waits on clock for its time step,
// applies the waiting events, steps the playing sounds, then calls the game's update and
// render. The clock must continue the reading that ended start-up (the platform record's now_ms).
void run_frames(const ScriptObject& game, FrameClock& clock, platform::EventSource& events);

}  // namespace tarn
