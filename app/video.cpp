#include "app/video.hpp"

#include "app/object_registry.hpp"
#include "app/singletons.hpp"
#include "core/cvar_list.hpp"
#include "core/fatal.hpp"
#include "core/message.hpp"
#include "core/platform_state.hpp"
#include "core/video_mode.hpp"
#include "platform/window.hpp"
#include "render/renderer.hpp"
#include "resources/texture.hpp"

namespace tarn {

namespace {

void open_window(const VideoMode& mode) {
    const std::optional<platform::WindowSize> size =
        platform::open_window(mode.width, mode.height, mode.fullscreen);
    if (!size) {
        fatal_internal_error(message("Can't initialize %1 video mode %2x%3, SDL error: %3.",
                                     mode.fullscreen ? "fullscreen" : "windowed", mode.width,
                                     mode.height, platform::last_error().c_str()));
    }
    Platform& p = platform_state();
    p.width = size->width;
    p.height = size->height;
    p.fullscreen = mode.fullscreen;
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

}  // namespace

void setup_video() {
    forget_textures();
    const CVarList& cvars = cvar_list();
    open_window(parse_video_mode(cvars.get_string("video_mode")));
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

void update_orientation() {
    Platform& p = platform_state();
    p.previous_orientation = p.orientation;
    p.orientation_timer = 0.5f;
    apply_orientation(orientation_setting());
}

}  // namespace tarn
