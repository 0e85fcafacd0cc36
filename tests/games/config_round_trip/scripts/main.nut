::System.run_script("scripts/check.nut");

// Settings whose names and values hold line breaks, quotes and '=' are saved by the first run
// and must come back exactly in the second, without adding settings of their own.
local settings = [
    ["note", "line one\nadmin = \"1\"\r\nline three"],
    ["greeting", "say \"hi\" = wave"],
    ["weird = name", "x"],
    ["two\nlines", "\"quoted\""],
    ["percent", "100%0A"],
];
if (::System.get_cvar("run") == "") {
    ::System.set_cvar("run", "first");
    foreach (setting in settings)
        ::System.set_cvar(setting[0], setting[1]);
} else {
    ::System.message("second run reads back");
    foreach (setting in settings)
        check_equal(::System.get_cvar(setting[0]), setting[1], setting[0]);
    foreach (name in ["admin", "weird", "line three", "two", "lines"])
        check_equal(::System.get_cvar(name), "", "no setting named " + name);
}

checks_done();
::System.request_quit();
return null;
