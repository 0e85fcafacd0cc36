::System.run_script("scripts/check.nut");

// With the sound device turned off every sound is silent: channels play nothing, stay
// unplayed, and nothing about sound reaches the log.
g_sound_defs["fx.wav"] <- {};
g_sound_defs.theme <- { file = "music/theme.ogg", streaming = true, category = 1 };

function start(name) {
    local c = ::SoundChannel();
    c.set_sound(::Sound.create(name));
    c.set_looping(1);
    c.play();
    c.play();
    c.set_volume(2);
    c.stop_on_release();
    return c;
}

class Game {
    frames = 0;

    function init() {
        ::System.set_music_sound_category(1);
        foreach (name in ["fx.wav", "theme", "no such sound"])
            start(name);
        ::kept <- start("theme");
        check(!::System.is_music_playing(), "no music plays without a device");
        check_equal(error_of(function() { ::SoundChannel().set_sound("theme"); }),
                    "Expecting Sound", "a sound name is not a Sound");
    }
    function update(dt) {
        frames++;
        check(!::System.is_music_playing(), "no music in frame " + frames);
        if (frames == 10) {
            ::kept = null;
            ::System.stop_music();
            checks_done();
            ::System.request_quit();
        }
    }
    function render() {}
}

return Game();
