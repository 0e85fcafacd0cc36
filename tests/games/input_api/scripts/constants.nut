// Compiled after the engine bound its key codes: they are constants here too.
::ESCAPE_SEEN_BY_CONSTANTS <- KEY_ESC;
