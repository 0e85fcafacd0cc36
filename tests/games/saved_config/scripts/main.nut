::System.run_script("scripts/check.nut");

// Values read from game_config.txt before the engine registered the setting survive it.
check_equal(::System.get_cvar_integer("sound_device"), 3, "saved value beats the default");
check_equal(::System.get_cvar_float("sound_volume_0"), 1.0, "unsaved default");
check_equal(::System.get_cvar("boot_only"), "5", "boot.config value");
check_equal(::System.get_cvar("unknown"), "", "unknown setting");
check_equal(::System.get_cvar_integer("unknown"), 0, "unknown setting as integer");

::System.set_cvar("speed", 2.5);
::System.set_cvar("lives", 3);
::System.set_cvar("fast", true);
::System.set_cvar("name", "Player \"One\"");
::System.register_cvar("difficulty", "normal");
::System.register_cvar("speed", 9.0);
::System.register_cvar("sound_device", 7);
check_equal(::System.get_cvar("speed"), "2.5", "a set value wins over a later default");
check_equal(::System.get_cvar_integer("fast"), 1, "a bool counts as 1");
check_equal(::System.register_cvar("bad", [1, 2]), null, "an array default is refused quietly");
check_equal(::System.get_cvar("bad"), "", "the refused setting holds no value");
check_equal(error_of(@() ::System.set_cvar(1, 2)), "parameter 1 has an invalid type 'integer' ; expected: 'string'",
            "a non-string name");

checks_done();
::System.request_quit();
return null;
