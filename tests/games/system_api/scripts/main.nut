::System.run_script("scripts/check.nut");

function check_near(actual, expected, what) {
    check(typeof actual == "float", what + ": a " + typeof actual + ", not a float");
    check(fabs(actual - expected) < 1e-5, what + ": " + actual + ", expected " + expected);
}

// The log line of a message is its arguments' string forms with nothing between them.
::System.message("a", 1, 2.5);

// Time and the process.
local before = ::System.get_system_milliseconds();
check_equal(typeof before, "integer", "get_system_milliseconds gives an integer");
check_equal(::System.sleep(-1), null, "sleep returns nothing");
::System.sleep(-1000);
check(::System.get_system_milliseconds() - before < 200, "a negative sleep returns at once");
local start = ::System.get_system_milliseconds();
::System.sleep(0.05);
local slept = ::System.get_system_milliseconds() - start;
check(slept >= 45 && slept < 1000, "sleep(0.05) sleeps 50 ms, not " + slept);
check_equal(error_of(@() ::System.sleep("a")), "Expecting float.", "sleep needs a number");
check_equal(typeof ::System.get_system_profile_time(), "integer", "profile time");
check(::System.get_system_profile_time() != ::System.get_system_profile_time() ||
      ::System.get_system_profile_time() != ::System.get_system_profile_time(),
      "the profile counter moves");
check_equal(typeof ::System.is_application_active(), "bool", "is_application_active");

local low = 1.0, high = 0.0, sum = 0.0;
for (local i = 0; i < 5000; ++i) {
    local r = ::System.get_random_float();
    if (typeof r != "float" || r < 0.0 || r >= 1.0) {
        check(false, "get_random_float out of [0, 1): " + r);
        break;
    }
    low = r < low ? r : low;
    high = r > high ? r : high;
    sum += r;
}
check(low < 0.01 && high > 0.99, "random floats spread over [0, 1): " + low + " .. " + high);
check(fabs(sum / 5000 - 0.5) < 0.03, "random floats average one half: " + sum / 5000);

// Rotations are in turns.
check_near(::System.degrees_to_rotation(90), 0.25, "degrees_to_rotation(90)");
check_near(::System.radians_to_rotation(PI), 0.5, "radians_to_rotation(PI)");
check_near(::System.rotation_to_radians(0.5), PI, "rotation_to_radians(0.5)");
check_near(::System.rotation_to_degrees(0.25), 90.0, "rotation_to_degrees(0.25)");
check_near(::System.radians_to_degrees(PI), 180.0, "radians_to_degrees(PI)");
check_near(::System.degrees_to_radians(180), PI, "degrees_to_radians(180)");
check_near(::System.normalize_rotation(-0.25), 0.75, "normalize_rotation(-0.25)");
check_near(::System.normalize_rotation(1.0), 0.0, "normalize_rotation(1.0)");
check_near(::System.normalize_rotation(3), 0.0, "normalize_rotation of an integer");
check_near(::System.normalize_rotation(2.625), 0.625, "normalize_rotation(2.625)");
local tiny = ::System.normalize_rotation(-0.00000001);
check(tiny >= 0.0 && tiny < 1.0, "a tiny negative rotation stays below a turn: " + tiny);
check(error_of(@() ::System.degrees_to_rotation("90")) != null, "a string is not an angle");

// Display.
local size = ::System.get_screen_size();
check(typeof size == "array" && size.len() == 2, "get_screen_size gives [w, h]");
check_equal(size[0], 320.0, "screen width from video_mode");
check_equal(size[1], 240.0, "screen height from video_mode");
::System.set_cvar("video_orientation", 2);
::System.change_screen_orientation();
size = ::System.get_screen_size();
check(size[0] == 240.0 && size[1] == 320.0, "orientation 2 swaps the sizes");
::System.set_cvar("video_orientation", 7);
::System.change_screen_orientation();
size = ::System.get_screen_size();
check(size[0] == 320.0 && size[1] == 240.0, "orientation 7 counts as 0");
::System.set_cvar("video_mode", "200 100 0");
::System.set_video_mode();
size = ::System.get_screen_size();
check(size[0] == 200.0 && size[1] == 100.0, "set_video_mode reopens the window: " + size[0]);

check_equal(::System.set_clear_screen(true), null, "set_clear_screen(true)");
::System.set_clear_screen(0);
check_equal(::System.set_clear_color(0.1, 0.2, 0.3, 1), null, "set_clear_color of numbers");
::System.set_clear_color([0, 0, 0, 1]);
check_equal(error_of(@() ::System.set_clear_color([1, 2])),
            "Vector array doesn't have right size.", "a clear colour of two");
check_equal(error_of(@() ::System.set_clear_color()), "Expecting numeric.", "no clear colour");
check_equal(error_of(@() ::System.set_clear_screen("yes")) != null, true,
            "set_clear_screen needs a bool or number");
// Only the built-in 1x1 white texture (RGB, 3 bytes) is loaded before the game loads any.
check_equal(::System.get_texture_memory_usage(), 3, "only the built-in white texture");
check(::Texture.find("_white_") != null && ::Texture.find("_null_") != null,
      "the built-in textures exist from the start");
check_equal(::System.get_rendered_triangle_count(), 0, "nothing drawn yet");

check_equal(::System.set_text_color(9, 1, 0, 0, 1), null, "the last text colour");
::System.set_text_color(0, [0.5, 0.5, 0.5, 1]);
check_equal(error_of(@() ::System.set_text_color(10, 1, 1, 1, 1)),
            "Invalid text color index 10.", "text colour index 10");
check_equal(error_of(@() ::System.set_text_color(-1, [1, 1, 1, 1])),
            "Invalid text color index -1.", "text colour index -1");
check_equal(error_of(@() ::System.set_text_color(2, [1, 1, 1])),
            "Vector array doesn't have right size.", "a text colour of three");
check_equal(error_of(@() ::System.set_text_color("2", [1, 1, 1, 1])), "Expecting integer.",
            "a text colour index must be a number");
check_equal(error_of(@() ::System.set_text_color(2, 1, 1)), "Expecting numeric.",
            "a text colour cut short");
check(error_of(@() ::System.set_text_color("a", [1, 1, 1, 1])) != null, "a text index string");

::System.set_iphone_status_bar_visible(true);
check_equal(::System.get_cvar_integer("iphone_status_bar"), 1, "status bar shown");
::System.set_iphone_status_bar_visible(0.0);
check_equal(::System.get_cvar_integer("iphone_status_bar"), 0, "status bar hidden");

// Audio without a device: volumes are settings, no music plays.
check_equal(::System.get_sound_category_volume(8), 1.0, "an unknown category is at full volume");
check_equal(::System.get_sound_category_volume(-1), 1.0, "a negative category too");
::System.set_sound_category_volume(8, 0.5);
::System.set_sound_category_volume(-1, 0.5);
check_equal(::System.get_cvar("sound_volume_8"), "", "category 8 has no setting");
::System.set_sound_category_volume(3, 0.25);
check_equal(::System.get_sound_category_volume(3), 0.25, "a set volume reads back");
check_equal(::System.get_cvar_float("sound_volume_3"), 0.25, "the volume is the setting");
::System.set_sound_category_volume(3, 1.7);
check_equal(::System.get_sound_category_volume(3), 1.0, "volumes clamp at 1");
::System.set_sound_category_volume(3, 0.005);
check_equal(::System.get_sound_category_volume(3), 0.0, "all but silent is silent");
::System.set_sound_category_volume(4, 1);
check_equal(::System.get_sound_category_volume(4), 1.0, "an integer volume");
check_equal(::System.is_music_muted(), false, "no music category, not muted");
check_equal(::System.is_music_playing(), false, "no music plays");
check_equal(::System.stop_music(), null, "stop_music without music");
::System.set_music_sound_category(3);
check_equal(::System.is_music_muted(), true, "music in a silent category is muted");
::System.set_music_sound_category(4);
check_equal(::System.is_music_muted(), false, "music in a loud category");
::System.set_music_sound_category(-1);
check(error_of(@() ::System.set_sound_category_volume(1, "x")) != null, "a volume string");

// Platform and text.
check_equal(::System.string_to_integer("12abc"), 12, "string_to_integer(\"12abc\")");
check_equal(::System.string_to_integer("abc"), 0, "string_to_integer of letters");
check_equal(::System.string_to_integer("  -7"), -7, "leading blanks and a sign");
check_equal(::System.string_to_integer("0x1f"), 0, "base 10 only");
check_equal(::System.string_to_float("2.5x"), 2.5, "string_to_float(\"2.5x\")");
check_equal(::System.string_to_float("x"), 0.0, "string_to_float of letters");
check(error_of(@() ::System.string_to_integer(12)) != null, "string_to_integer needs a string");
check_equal(::System.encode_for_url("a b?"), "a%20b%3f", "spaces and question marks");
check_equal(::System.encode_for_url("Az09-_.~/"), "Az09%2d%5f%2e%7e%2f", "only letters and digits stay");
check_equal(::System.encode_for_url("\xc3\xa9"), "%3f%3f", "bytes above 0x7f become ?");
check_equal(::System.encode_for_url("\n"), "%0a", "two hexadecimal digits always");
check_equal(::System.encode_for_url(""), "", "nothing to encode");
check_equal(typeof ::System.get_clipboard_text(), "string", "clipboard text");
check_equal(::System.vibrate(), null, "vibrate does nothing");
check_equal(::System.is_vibration_available(), false, "no vibration");
check_equal(::System.get_iphone_unique_id(), "", "no device id");
check_equal(::System.enable_iphone_idle_timer(true), null, "no idle timer");
check(error_of(@() ::System.open_url(1)) != null, "open_url needs a string");

// Frame counters, seen from the game's callbacks.
// The fps figure is refreshed after more than half a second of frames.
class Game {
    started = null;
    function update(dt) {
        if (started == null)
            started = ::System.get_system_milliseconds();
        if (::System.get_system_milliseconds() - started > 800) {
            local fps = ::System.get_fps();
            check(typeof fps == "float" && fps > 0.0, "fps after some frames: " + fps);
            check_equal(::System.get_rendered_triangle_count(), 0, "no triangles drawn");
            checks_done();
            ::System.request_quit();
        }
    }
    function render() {}
}
return Game();
