::System.run_script("scripts/check.nut");

// Key codes are compile-time constants, not slots of the root table or of System.
check_equal(::ESCAPE_SEEN_BY_CONSTANTS, 27, "KEY_ESC in the first script");
check(!("KEY_ESC" in getroottable()) && !("KEY_ESC" in ::System), "not a root or System slot");
local reads_escape = compilestring("return KEY_ESC;");
getconsttable().KEY_ESC = 99;
check_equal(reads_escape(), 27, "the value is folded in when a script compiles");
check_equal(compilestring("return KEY_ESC;")(), 99, "later scripts see the table");
getconsttable().KEY_ESC = 27;

local expected_codes = {
    KEY_NONE = 0, KEY_BACKSPACE = 8, KEY_TAB = 9, KEY_ENTER = 13, KEY_SPACE = 32,
    KEY_MINUS = 45, KEY_EQUALS = 61, KEY_0 = 48, KEY_9 = 57, KEY_LEFT_BRACKET = 91,
    KEY_RIGHT_BRACKET = 93, KEY_A = 97, KEY_M = 109, KEY_Z = 122, KEY_NUMPAD_0 = 128,
    KEY_NUMPAD_9 = 137, KEY_NUMPAD_PERIOD = 138, KEY_NUMPAD_ENTER = 143, KEY_NUMPAD_EQUALS = 144,
    KEY_UP = 145, KEY_DOWN = 146, KEY_LEFT = 147, KEY_RIGHT = 148, KEY_INSERT = 149,
    KEY_DELETE = 150, KEY_PAGE_DOWN = 154, KEY_F1 = 155, KEY_F10 = 164, KEY_F15 = 169,
    KEY_RIGHT_SHIFT = 170, KEY_LEFT_ALT = 175, KEY_LEFT_CMD = 176, KEY_RIGHT_CMD = 177,
    MOUSE_LEFT = 178, MOUSE_RIGHT = 179, MOUSE_MIDDLE = 180, MOUSE_WHEEL_UP = 181,
    MOUSE_WHEEL_DOWN = 182, JOY_0 = 183, JOY_19 = 202, JOY_PAD_UP = 203, JOY_PAD_DOWN = 204,
    JOY_PAD_LEFT = 205, JOY_PAD_RIGHT = 206, TOUCH_0 = 207, TOUCH_3 = 210
};
foreach (name, code in expected_codes)
    check_equal(getconsttable()[name], code, name);
check_equal(KEY_F15 - KEY_F1, 14, "constants in expressions");

// Every key constant names its own code, and together they are the documented 129.
local key_names = 0, seen_codes = {};
foreach (name, code in getconsttable()) {
    foreach (prefix in ["KEY_", "MOUSE_", "JOY_", "TOUCH_"]) {
        if (name.find(prefix) == 0) {
            key_names++;
            check(!(code in seen_codes), "code " + code + " named once");
            seen_codes[code] <- name;
        }
    }
}
check_equal(key_names, 129, "number of key constants");

// Queries: codes outside the table answer false, floats are truncated, other types raise.
foreach (query in ["is_key_down", "was_key_down", "was_key_pressed", "was_key_released"]) {
    local f = ::System[query];
    foreach (code in [500, 211, -1, KEY_ESC, 2.9])
        check_equal(f.call(::System, code), false, query + "(" + code + ")");
    check_equal(error_of(@() f.call(::System, "a")), "Expecting integer.", query + " of a string");
    check_equal(error_of(@() f.call(::System, null)), "Expecting integer.", query + " of null");
}

// Mouse, touches and the joystick without any device input.
check_equal(::System.get_mouse_delta().len(), 2, "mouse delta is a pair");
check_equal(typeof ::System.get_mouse_position()[0], "float", "mouse position holds floats");
::System.iphone_override_mouse_position([12, 34.5]);
local position = ::System.get_mouse_position();
check_equal(position[0], 12.0, "overridden mouse x");
check_equal(position[1], 34.5, "overridden mouse y");
::System.iphone_override_mouse_position(-1, 2);
check_equal(::System.get_mouse_position()[0], -1.0, "override from two numbers");
check_equal(error_of(@() ::System.iphone_override_mouse_position([1])),
            "Vector array doesn't have right size.", "override needs a vec2");
check_equal(error_of(@() ::System.iphone_override_mouse_position()), "Expecting numeric.",
            "override without a position");
foreach (index in [1, 2, 3, 4, -1]) {
    local touch = ::System.get_touch_position(index);
    check_equal(touch[0], 0.0, "touch " + index + " x");
    check_equal(touch[1], 0.0, "touch " + index + " y");
}
check_equal(error_of(@() ::System.get_touch_position("0")), "Expecting integer.", "touch of a string");
local direction = ::System.get_joystick_direction();
check_equal(direction[0], 0.0, "no joystick: x");
check_equal(direction[1], 0.0, "no joystick: y");
check(error_of(@() ::System.get_joystick_direction(1)) != null, "direction takes no argument");

checks_done();
::System.request_quit();
return null;
