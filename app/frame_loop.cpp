#include "app/frame_loop.hpp"

#include "audio/sound_system.hpp"
#include "core/input.hpp"
#include "core/platform_state.hpp"
#include "platform/window.hpp"
#include "render/renderer.hpp"
#include "script/game_key_callbacks.hpp"
#include "script/script_host.hpp"

namespace tarn {

void render_pass(const ScriptObject& game, const char* callback) {
    renderer().begin_frame();
    script_host().call_callback(game, callback);
    renderer().end_frame();
    platform::swap_buffers();
    platform_state().clear_frame_input();
}

void run_frames(const ScriptObject& game, FrameClock& clock, platform::EventSource& events) {
    GameLoop& loop = game_loop();
    Platform& p = platform_state();
    GameKeyCallbacks keys(script_host(), game);
    while (!p.quit_requested) {
        p.now_ms = loop.time_frame(clock, p.now_ms);
        if (p.orientation_timer > 0.0f)
            p.orientation_timer -= loop.dt;
        pump_events(p, keys, events);
        sound_system().update();
        script_host().call_callback(game, "update", loop.dt);
        render_pass(game, "render");
        ++loop.frame_count;
    }
}

}  // namespace tarn
