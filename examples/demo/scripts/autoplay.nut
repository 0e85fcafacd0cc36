// The attract mode: with the setting "demo_autoplay" at 1 (boot.config or the command line of a
// test) the demo plays itself. A timeline of key presses goes through the same key_down as the
// player's, the paddle follows the ball, and at the end the game quits. The game tests run it.
class Autoplay {
    game = null;
    time = 0.0;
    next = 0;
    aim = 0.0;  // where on the paddle to catch the ball, for varied angles

    // [seconds, key] presses a key; [seconds, [x, y]] points the mouse at a canvas point, where
    // the UI finds the button under it. Start a game, launch, pause and resume, go to the menu,
    // click Settings, click the left half of the effects volume, turn the music down a step with
    // the keys, make the window larger and go back.
    static timeline = [
        [0.5, KEY_ENTER], [1.0, KEY_SPACE], [7.0, KEY_P], [7.5, KEY_P], [9.0, KEY_ESC],
        [9.5, [320, 331]], [10.0, MOUSE_LEFT], [10.5, [200, 232]], [11.0, MOUSE_LEFT],
        [11.3, KEY_DOWN], [11.6, KEY_LEFT], [12.0, KEY_DOWN], [12.3, KEY_RIGHT], [13.0, KEY_ESC],
        [13.5, null]];

    // The settings it starts with show what an earlier run saved.
    constructor(owner) {
        game = owner;
        local mode = ::video_mode();
        ::System.message(::format("Demo: attract mode; volumes %.1f and %.1f, window %d x %d",
                                  ::System.get_sound_category_volume(SOUND_EFFECTS),
                                  ::System.get_sound_category_volume(SOUND_MUSIC), mode[0],
                                  mode[1]));
    }

    function update(dt) {
        time += dt;
        while (next < timeline.len() && timeline[next][0] <= time) {
            local action = timeline[next++][1];
            if (typeof action == "array") {
                ::System.iphone_override_mouse_position(game.view.canvas_to_screen(action));
                continue;
            }
            if (action == null) {
                ::System.message("Demo: attract mode over; music ",
                                 ::System.is_music_playing() ? "playing" : "silent");
                ::System.request_quit();
                return;
            }
            game.key_down(action);
        }
        if (::System.get_random_float() < dt) aim = (::System.get_random_float() - 0.5) * 60;
    }

    // Towards the ball, or the launch key when the ball waits on the paddle.
    function steering() {
        local play = game.play_screen;
        if (play == null) return 0;
        if (!play.ball.is_moving()) {
            game.key_down(MOUSE_LEFT);  // a click launches, as for the player
            return 0;
        }
        local offset = play.ball.get_position()[0] + aim - play.paddle.get_position()[0];
        return offset < -16 ? -1 : offset > 16 ? 1 : offset / 16;
    }
}
