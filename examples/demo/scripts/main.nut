// Tarn Breakout: the engine's demo. The engine runs this script after constants.nut; the object
// it returns is the game, whose init, update, render and key_down the engine calls.
//
// A newcomer's reading order: resources.nut (what the game is made of), play.nut (the rules),
// ball.nut, paddle.nut and brick.nut (the scene objects), menu.nut and settings.nut (screens).
foreach (script in ["resources", "audio", "text", "effects", "controls", "paddle", "brick", "ball", "play",
                    "ui_menu", "menu", "settings", "autoplay"])
    ::System.run_script("scripts/" + script + ".nut");

class Game {
    view = null;        // maps the 640 x 480 canvas onto the window, whatever its size
    controls = null;
    screen = null;      // the screen shown: menu, play or settings
    play_screen = null; // the game in progress, kept while the menu is shown
    autoplay = null;

    function init() {
        ::System.set_clear_screen(true);
        ::System.set_clear_color([0.05, 0.06, 0.12, 1]);
        ::System.set_text_color(COLOR_WHITE, [1, 1, 1, 1]);
        ::System.set_text_color(COLOR_GOLD, [1, 0.8, 0.25, 1]);
        ::System.set_text_color(COLOR_SKY, [0.45, 0.75, 1, 1]);
        ::System.set_text_color(COLOR_RED, [1, 0.35, 0.3, 1]);
        ::System.set_text_color(COLOR_GREY, [0.6, 0.62, 0.7, 1]);
        view = ::View2d();
        view.set_canvas_size(CANVAS_WIDTH, CANVAS_HEIGHT);
        view.set_viewport_size(CANVAS_WIDTH, CANVAS_HEIGHT);
        view.fit_viewport_to_screen();  // scaled to the window, centred, keeping its shape
        controls = ::Controls(view);
        ::start_music();
        ::System.register_cvar("demo_autoplay", 0);
        if (::System.get_cvar_integer("demo_autoplay") != 0) {
            autoplay = ::Autoplay(this);
            controls.autopilot = autoplay;
        }
        show_menu();
    }

    function show_menu() {
        screen = ::MenuScreen(this);
    }

    function show_settings() {
        screen = ::SettingsScreen(this);
    }

    function can_continue() {
        return play_screen != null && play_screen.lives > 0;
    }

    function continue_play() {
        screen = play_screen;
    }

    function new_play() {
        play_screen = ::PlayScreen(this);
        screen = play_screen;
        log_event("new game");
    }

    // Leaving the settings writes them at once (the engine also does at exit).
    function leave_settings() {
        ::System.save_config();
        show_menu();
    }

    function log_event(text) {
        ::System.message("Demo: ", text);
    }

    function update(dt) {
        if (autoplay != null) autoplay.update(dt);
        screen.update(dt);
    }

    function render() {
        screen.render();
    }

    // Keys, mouse buttons and joystick buttons all arrive here as key codes. (A game may also
    // define key_up; this one acts on presses only.)
    function key_down(key) {
        screen.key_down(key);
    }
}

::g_game <- Game();
return ::g_game;
