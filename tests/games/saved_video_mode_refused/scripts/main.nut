::System.run_script("scripts/check.nut");

// game_config.txt holds a video mode that cannot be opened: the game starts in the mode of
// boot.config instead, which replaces the saved one.
check_equal(::System.get_cvar("video_mode"), "320 240 0", "the mode in use");
local size = ::System.get_screen_size();
check_equal(size[0], 320.0, "window width");
check_equal(size[1], 240.0, "window height");
check_equal(::System.get_cvar_integer("lives"), 3, "the other saved settings still apply");

checks_done();
::System.request_quit();
return null;
