// The settings screen. Sound volumes are the engine's settings "sound_volume_<category>" and the
// window is "video_mode" ("width height fullscreen"); settings changed while the game runs are
// written to save/game_config.txt, so they are back at the next start.
const VOLUME_STEP = 0.1;
local window_sizes = [[640, 480], [800, 600], [1024, 768]];

class SettingsScreen {
    game = null;
    scene = null;
    list = null;
    headings = null;  // the scene holds no references: the screen keeps its texts

    constructor(owner) {
        game = owner;
        scene = ::Scene();
        scene.set_view(game.view);
        ::add_dust(scene);
        headings = [::make_text(scene, "bold40", 0, 0), ::make_text(scene, "sans18", 0, 0)];
        ::set_centered_text(headings[0], "^2Settings", 110);
        ::set_centered_text(headings[1], "^4Left and right, or a click on either half, change. Esc goes back.", 160);
        list = ::UiMenu(items(), 215);
    }

    function items() {
        local g = game;
        return [
            volume_item("Effects volume", SOUND_EFFECTS),
            volume_item("Music volume", SOUND_MUSIC),
            { label = @() "Window " + ::video_mode()[0] + " x " + ::video_mode()[1],
              activate = @() ::change_window_size(1), adjust = ::change_window_size },
            { label = @() "Full screen " + (::video_mode()[2] ? "on" : "off"),
              activate = @() ::toggle_full_screen(), adjust = @(step) ::toggle_full_screen() },
            { label = @() "Back", activate = @() g.leave_settings() },
        ];
    }

    function update(dt) {
        list.update(dt);
        scene.update(dt);
    }

    // The UI draws in front of the scene.
    function render() {
        scene.render_2d();
        list.render();
    }

    function key_down(key) {
        if (is_back_key(key))
            game.leave_settings();
        else
            list.key_down(key);
    }
}

function volume_item(name, category) {
    return {
        label = @() ::format("%s %d%%", name, (::System.get_sound_category_volume(category) * 100 + 0.5).tointeger()),
        activate = @() null,
        level = @() ::System.get_sound_category_volume(category),
        adjust = function(step) {
            local volume = ::System.get_sound_category_volume(category) + step * VOLUME_STEP;
            ::System.set_sound_category_volume(category, volume < 0 ? 0.0 : volume > 1 ? 1.0 : volume);
        }
    };
}

// [width, height, fullscreen] of the current window setting.
function video_mode() {
    local parts = split(::System.get_cvar("video_mode"), " ");
    return [parts[0].tointeger(), parts[1].tointeger(), parts.len() > 2 && parts[2] == "1"];
}

function set_video_mode(width, height, full_screen) {
    ::System.set_cvar("video_mode", ::format("%d %d %d", width, height, full_screen ? 1 : 0));
    ::System.set_video_mode();
    ::g_game.view.fit_viewport_to_screen();  // the canvas fills the new window
}

// Steps through the window sizes, wrapping round.
function change_window_size(step) {
    local mode = video_mode();
    local index = 0;
    foreach (i, size in window_sizes) {
        if (size[0] == mode[0] && size[1] == mode[1]) index = i;
    }
    index = (index + step + window_sizes.len()) % window_sizes.len();
    set_video_mode(window_sizes[index][0], window_sizes[index][1], mode[2]);
}

function toggle_full_screen() {
    local mode = video_mode();
    set_video_mode(mode[0], mode[1], !mode[2]);
}
