#include "app/frame_loop.hpp"

#include "app/screenshot.hpp"
#include "audio/sound_system.hpp"
#include "core/input.hpp"
#include "core/platform_state.hpp"
#include "platform/window.hpp"
#include "render/renderer.hpp"
#include "script/game_key_callbacks.hpp"
#include "script/script_host.hpp"

namespace tarn {

namespace {

// Whether the frame being drawn is the run's last: a quit is already requested or the frame
// limit is reached with it.
bool is_last_frame(const RunOptions& options) {
    return platform_state().quit_requested ||
           (options.max_frames > 0 && game_loop().frame_count + 1 >= options.max_frames);
}

}  // namespace

bool render_pass(const ScriptObject& game, const char* callback, const RunOptions& options) {
    renderer().begin_frame();
    script_host().call_callback(game, callback);
    renderer().end_frame();
    const bool saved = options.screenshot.empty() || !is_last_frame(options) ||
                       save_screenshot(options.screenshot);
    platform::swap_buffers();
    platform_state().clear_frame_input();
    return saved;
}

bool run_frames(const ScriptObject& game, FrameClock& clock, platform::EventSource& events,
                const RunOptions& options) {
    GameLoop& loop = game_loop();
    Platform& p = platform_state();
    GameKeyCallbacks keys(script_host(), game);
    bool saved = true;
    while (!p.quit_requested) {
        p.now_ms = loop.time_frame(clock, p.now_ms);
        if (p.orientation_timer > 0.0f)
            p.orientation_timer -= loop.dt;
        pump_events(p, keys, events);
        sound_system().update();
        script_host().call_callback(game, "update", loop.dt);
        saved = render_pass(game, "render", options) && saved;
        ++loop.frame_count;
        if (options.max_frames > 0 && loop.frame_count >= options.max_frames)
            p.quit_requested = true;
    }
    return saved;
}

}  // namespace tarn
