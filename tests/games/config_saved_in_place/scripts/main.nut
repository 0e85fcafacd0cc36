::System.run_script("scripts/check.nut");

// The save folder lets game_config.txt be rewritten but no file be created beside it (a folder
// stands where the temporary file would go): the settings are still saved, in place.
check_equal(::System.get_cvar("volume"), "0.5", "the saved setting");
::System.set_cvar("lives", 3);

checks_done();
::System.request_quit();
return null;
