#include "app/video.hpp"

#include "core/cvar_list.hpp"
#include "core/fatal.hpp"
#include "core/log.hpp"
#include "core/message.hpp"
#include "core/platform_state.hpp"
#include "core/video_mode.hpp"
#include "platform/window.hpp"
#include "render/renderer.hpp"
#include "resources/texture.hpp"

namespace tarn {

namespace {

// Opens the window at the mode; false when it cannot be set (platform::last_error() tells why).
bool try_open_window(const VideoMode& mode) {
    const std::optional<platform::PixelSize> size =
        platform::open_window(mode.width, mode.height, mode.fullscreen);
    if (!size)
        return false;
    Platform& p = platform_state();
    p.width = size->width;
    p.height = size->height;
    p.fullscreen = mode.fullscreen;
    return true;
}

void open_window(const VideoMode& mode) {
    if (!try_open_window(mode)) {
        fatal_internal_error(message("Can't initialize %1 video mode %2x%3, SDL error: %3.",
                                     mode.fullscreen ? "fullscreen" : "windowed", mode.width,
                                     mode.height, platform::last_error().c_str()));
    }
}

void apply_orientation(int orientation) {
    Platform& p = platform_state();
    p.orientation = orientation;
    const bool swapped = swaps_axes(orientation);
    p.logical_width = swapped ? p.height : p.width;
    p.logical_height = swapped ? p.width : p.height;
}

int orientation_setting() {
    return valid_orientation(cvar_list().get_integer("video_orientation"));
}

void setup_gl_for_2d() {
    const Platform& p = platform_state();
    renderer().reset_after_video_mode();
    renderer().set_window_view(p.width, p.height);
}

// Everything after the window opened: cursor, caption, OpenGL, textures, orientation.
void prepare_window() {
    const CVarList& cvars = cvar_list();
    platform::show_cursor(cvars.get_integer("system::cursor") != 0);
    platform::set_window_caption(cvars.get_string("system::window_title").data());
    Renderer::start_gl();
    load_pending_textures();

    const int orientation = orientation_setting();
    platform_state().previous_orientation = orientation;
    platform_state().orientation_timer = 0.0f;
    apply_orientation(orientation);
    setup_gl_for_2d();
}

}  // namespace

void setup_video() {
    forget_textures();
    renderer().release_buffers_before_video_mode();
    open_window(parse_video_mode(cvar_list().get_string("video_mode")));
    prepare_window();
}

void start_video(const SharedString& fallback_mode) {
    CVarList& cvars = cvar_list();
    const SharedString saved_mode = cvars.get_string("video_mode");
    if (saved_mode != fallback_mode) {
        if (try_open_window(parse_video_mode(saved_mode))) {
            prepare_window();
            return;
        }
        log_message(message("Can't use the saved video mode '%1' (%2); using '%3' instead.",
                            saved_mode, platform::last_error().c_str(), fallback_mode));
        cvars.set_string("video_mode", fallback_mode);
    }
    setup_video();
}

void update_orientation() {
    Platform& p = platform_state();
    p.previous_orientation = p.orientation;
    p.orientation_timer = 0.5f;
    apply_orientation(orientation_setting());
}

}  // namespace tarn
