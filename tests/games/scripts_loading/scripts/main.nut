::System.run_script("scripts/check.nut");

// Further arguments of run_script reach the script, which runs with the root table as this.
local result = ::System.run_script("scripts/arguments.nut", 1, 2);
check_equal(result, "1 2 root", "run_script passes its extra arguments on");

local closure = ::System.load_script("scripts/arguments.nut");
check_equal(typeof closure, "function", "load_script returns the compiled script");
check_equal(closure.call(::getroottable(), "a", "b"), "a b root", "the closure can be called");

// A missing source falls back to the precompiled closure with ".bin" appended.
check_equal(::System.run_script("scripts/precompiled.nut", 21), 42, "the binary script runs");
check_equal(error_of(@() ::System.run_script("scripts/nothing.nut")),
            "Can't load 'scripts/nothing.nut' file.", "neither source nor binary");
check_equal(error_of(@() ::System.run_script("scripts/corrupt.nut")),
            "Can't load 'scripts/corrupt.nut' binary file.", "a broken binary");

// Compile errors are script errors; the getters report the last one.
check_equal(::System.get_last_script_compile_error_line_numer(), 0, "no compile error yet: line");
check_equal(::System.get_last_script_compile_error_column_numer(), -1,
            "no compile error yet: column");
local error = error_of(@() ::System.run_script("scripts/broken.nut"));
check(error != null && error.find("Compile error in 'scripts/broken.nut', line 3, column ") == 0,
      "compile error text: " + error);
check_equal(::System.get_last_script_compile_error_line_numer(), 3, "compile error line");
check(::System.get_last_script_compile_error_column_numer() > 0, "compile error column");

checks_done();
::System.request_quit();
return null;
