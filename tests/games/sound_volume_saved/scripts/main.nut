::System.run_script("scripts/check.nut");

// A category volume is a setting: changing it marks it for saving.
::System.set_sound_category_volume(2, 0);
::System.set_sound_category_volume(5, 0.5);
::System.set_sound_category_volume(8, 0.25);
check_equal(::System.get_sound_category_volume(2), 0.0, "category 2 silenced");
::System.save_config();

checks_done();
::System.request_quit();
return null;
