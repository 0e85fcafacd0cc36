#include "app/engine.hpp"

#include <cstdlib>
#include <ctime>
#include <optional>

#include "app/frame_loop.hpp"
#include "app/script_api.hpp"
#include "app/singletons.hpp"
#include "app/video.hpp"
#include "audio/sound_system.hpp"
#include "core/cvar_list.hpp"
#include "core/fatal.hpp"
#include "core/game_loop.hpp"
#include "core/joystick.hpp"
#include "core/log.hpp"
#include "core/message.hpp"
#include "core/platform_state.hpp"
#include "platform/clock.hpp"
#include "platform/console.hpp"
#include "platform/events.hpp"
#include "platform/quit_signals.hpp"
#include "platform/window.hpp"
#include "render/renderer.hpp"
#include "resources/sprite_builtins.hpp"
#include "script/open_file_list.hpp"
#include "script/script_host.hpp"

namespace tarn {

namespace {

const char* const kDefaultGameName = "Noname Tarn Engine Game";
const char* const kDefaultVideoMode = "1024 768 1";

// The window system's millisecond clock, read through the platform record.
class SystemFrameClock final : public FrameClock {
public:
    std::int32_t read() override { return platform_state().read_clock(platform::tick_count()); }
    void sleep(std::uint32_t milliseconds) override { platform::delay(milliseconds); }
};

void seed_random() {
    const std::time_t now = std::time(nullptr);
    std::srand(static_cast<unsigned>(now));
    for (std::time_t i = 0; i < now % 7; ++i)
        std::rand();
}

// Reads boot.config, then the saved settings. boot_video_mode receives the video mode that
// boot.config sets, or the default. False when boot.config cannot be read.
bool load_configuration(SharedString& boot_video_mode) {
    CVarList& cvars = cvar_list();
    cvars.register_string("system::root_dir", SharedString());
    cvars.register_string("system::save_dir", SharedString(kDefaultGameName));
    cvars.register_string("system::window_title", SharedString(kDefaultGameName));
    cvars.register_integer("system::console", 0);
    if (!cvars.load_config_file(WidePath("boot.config"), true)) {
        log_message("Can't load boot config.");
        return false;
    }
    const CVar* video_mode = cvars.find("video_mode");
    boot_video_mode = video_mode ? video_mode->value() : SharedString(kDefaultVideoMode);
    cvars.load_config_file(cvars.save_path("game_config.txt"), false);
    return true;
}

void register_platform_settings(CVarList& cvars) {
    cvars.register_string("video_mode", SharedString(kDefaultVideoMode));
    cvars.register_integer("video_orientation", 0);
    cvars.register_integer("iphone_status_bar", 0);
    cvars.register_integer("joy_disabled", 0);
    cvars.register_integer("joy", 0);
    cvars.register_integer("joy_pad", 0);
    cvars.register_integer("joy_x_axis", 0);
    cvars.register_integer("joy_y_axis", 1);
    cvars.register_float("joy_threshold", 0.3f);
}

void display_failed(const char* description) {
    fatal_internal_error(message("X error: %1.", description));
}

void set_icon(const char* path) {
    if (const std::optional<platform::PixelSize> refused = platform::set_window_icon(path)) {
        log_message(
            message("Icon '%1' not used: %2x%3 pixels is not an icon size (1 to %4 a side).", path,
                    refused->width, refused->height, platform::kMaxIconSide));
    }
}

void start_platform(const SharedString& boot_video_mode) {
    if (!platform::start_window_system(&display_failed)) {
        fatal_internal_error(
            message("Can't initialize SDL library '%1'.", platform::last_error().c_str()));
    }
    set_icon("icon.bmp");
    register_platform_settings(cvar_list());
    platform_state().sdl_ready = true;
    start_joystick(platform_state(), cvar_list());
    start_video(boot_video_mode);
}

// A second quit signal while the game does not respond: the process is about to end, so the
// settings are saved now rather than at shutdown.
void save_before_forced_exit(const char* signal_name) {
    cvar_list().save_config();
    log_message(
        message("Ending at a second %1: the game did not respond to the first.", signal_name));
}

// Starts every subsystem and the game; game receives the value the boot script returned, whose
// callbacks drive the game from then on, and quit_signals the handling of SIGINT and SIGTERM.
// False when the boot configuration cannot be read.
bool initialize(ScriptObject& game, FrameClock& clock,
                std::optional<platform::QuitSignals>& quit_signals) {
    log_message("Initializing base subsystems...");
    create_singletons();
    seed_random();
    script_host().start(engine_registrations());
    SharedString boot_video_mode;
    if (!load_configuration(boot_video_mode))
        return false;
    log_file().open(cvar_list().save_path("game_log.txt"));
    if (cvar_list().get_integer("system::console") != 0)
        platform::open_console();

    quit_signals.emplace(&save_before_forced_exit);
    start_platform(boot_video_mode);
    sound_system().init(cvar_list());
    renderer().set_special_resources_maker(&make_special_resources);
    renderer().init_gl();

    ScriptHost& host = script_host();
    game = host.run_boot_script();
    host.call_callback(game, "preinit");
    render_pass(game, "preinit_render");
    host.call_callback(game, "init");
    platform_state().now_ms = clock.read();
    return true;
}

void shutdown(bool skip_save, platform::QuitSignals& quit_signals) {
    open_file_list().close_all();
    CVarList& cvars = cvar_list();
    if (!skip_save)
        cvars.save_config();
    // Nothing is left to save: from here on a quit signal ends the process at once.
    quit_signals.stop();
    const bool wait_for_key = cvars.get_integer("system::console_wait_on_exit") != 0;
    sound_system().shutdown();
    renderer().shutdown();
    if (platform_state().sdl_ready) {
        close_joystick(platform_state());
        platform::stop_window_system();
    }
    cvars.release_all();
    if (wait_for_key)
        platform::wait_for_key_press("Press any key...");
}

}  // namespace

int run_engine(const RunOptions& options) {
    ScriptObject game;
    SystemFrameClock clock;
    std::optional<platform::QuitSignals> quit_signals;
    if (!initialize(game, clock, quit_signals))
        return 0;
    platform::WindowEvents events;
    const bool saved = run_frames(game, clock, events, options);
    shutdown(false, *quit_signals);
    return saved ? 0 : 1;
}

}  // namespace tarn
