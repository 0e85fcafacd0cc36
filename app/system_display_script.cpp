// System functions of the window, the display settings and the renderer's counters.
#include <array>
#include <span>

#include "app/script_api.hpp"
#include "app/video.hpp"
#include "core/cvar_list.hpp"
#include "core/message.hpp"
#include "core/platform_state.hpp"
#include "render/renderer.hpp"
#include "resources/texture_memory.hpp"
#include "script/binding.hpp"
#include "script/vector_reader.hpp"

namespace tarn {

namespace {

// A configuration function kept with the display: the status bar exists only on phones, the
// setting is kept for scripts that read it.
SQInteger set_iphone_status_bar_visible(HSQUIRRELVM vm) {
    cvar_list().set_integer("iphone_status_bar", truth_of(vm, 2) ? 1 : 0);
    return 0;
}

SQInteger set_video_mode(HSQUIRRELVM) {
    setup_video();
    return 0;
}

SQInteger change_screen_orientation(HSQUIRRELVM) {
    update_orientation();
    return 0;
}

SQInteger get_screen_size(HSQUIRRELVM vm) {
    const Platform& p = platform_state();
    const float size[] = {static_cast<float>(p.logical_width),
                          static_cast<float>(p.logical_height)};
    push_vector(vm, size, 2);
    return 1;
}

SQInteger set_clear_screen(HSQUIRRELVM vm) {
    renderer().set_clear_enabled(truth_of(vm, 2));
    return 0;
}

SQInteger set_clear_color(HSQUIRRELVM vm) {
    ArgumentReader args(vm);
    std::array<float, 4> color;
    if (!read_vector(args, 4, color.data()))
        return SQ_ERROR;
    renderer().set_clear_color(color);
    return 0;
}

SQInteger get_texture_memory_usage(HSQUIRRELVM vm) {
    push_value(vm, loaded_texture_memory());
    return 1;
}

SQInteger get_rendered_triangle_count(HSQUIRRELVM vm) {
    push_value(vm, renderer().previous_frame_triangles());
    return 1;
}

// A text colour table index, checked ("Invalid text color index %1."), then a colour.
bool read_text_color(ArgumentReader& args, int& index, Color& color) {
    if (!args.read_integer(index))
        return false;
    if (index < 0 || index >= static_cast<int>(platform_state().text_colors.size())) {
        sq_throwerror(args.vm(), message("Invalid text color index %1.", index).data());
        return false;
    }
    float rgba[4];
    if (!read_vector(args, 4, rgba))
        return false;
    color = {rgba[0], rgba[1], rgba[2], rgba[3]};
    return true;
}

SQInteger set_text_color(HSQUIRRELVM vm) {
    ArgumentReader args(vm);
    int index = 0;
    Color color;
    if (!read_text_color(args, index, color))
        return SQ_ERROR;
    platform_state().text_colors[index] = color;
    return 0;
}

// set_iphone_status_bar_visible belongs with the configuration functions, which come just
// before these in System.
constexpr NativeFunction kDisplayFunctions[] = {
    {"set_iphone_status_bar_visible", set_iphone_status_bar_visible, 2, ".b|f|i"},
    {"set_video_mode", set_video_mode, 1, "."},
    {"change_screen_orientation", change_screen_orientation, 1, "."},
    {"get_screen_size", get_screen_size, 1, "."},
    {"set_clear_screen", set_clear_screen, 2, ".b|i|f"},
    {"set_clear_color", set_clear_color, -1, "."},
    {"get_texture_memory_usage", get_texture_memory_usage, 1, "."},
    {"get_rendered_triangle_count", get_rendered_triangle_count, 1, "."},
    // The index is left to the integer reader ("Expecting integer.") rather than the VM's check.
    {"set_text_color", set_text_color, -2, ".."},
};

}  // namespace

std::span<const NativeFunction> system_display_functions() {
    return kDisplayFunctions;
}

}  // namespace tarn
