::System.run_script("scripts/check.nut");

// Every line of a file, as read_line hands them out until it returns null.
function lines_of(name, location = null) {
    local file = File();
    local opened = location == null ? file.open(name, "r") : file.open(name, "r", location);
    check(opened, "open " + name + " for reading");
    local lines = [];
    for (local line = file.read_line(); line != null; line = file.read_line())
        lines.append(line);
    check_equal(file.read_line(), null, name + " stays at its end");
    file.close();
    return lines;
}

function check_lines(actual, expected, what) {
    check_equal(actual.len(), expected.len(), what + ": line count");
    foreach (i, line in expected)
        check_equal(i < actual.len() ? actual[i] : null, line, what + ": line " + i);
}

// Reading from the data directory.
check_lines(lines_of("crlf.txt"), ["a", "b"], "CR LF line end and a last line without one");
check_lines(lines_of("trailing.txt"), ["first", "", "third"], "empty line kept, none added at the end");
check_lines(lines_of("empty.txt"), [], "an empty file");
check_lines(lines_of("crlf.txt", "elsewhere"), ["a", "b"], "an unknown location is the data folder");

local file = File();
check(file instanceof EngineObject, "File is an EngineObject");
check_equal(file.read_line(), null, "a new file reads nothing");
check_equal(file.open("missing.txt", "r"), false, "a missing file");
check_equal(file.read_line(), null, "nothing to read after a failed open");
check_equal(file.open("crlf.txt", "x"), false, "mode x");
check_equal(file.open("never.txt", "x", "save"), false, "mode x in the save folder");
check_equal(file.open("never.txt", "rw", "save"), false, "mode rw");

// A failed open closes what was open before.
check(file.open("crlf.txt", "r"), "open crlf.txt");
check_equal(file.read_line(), "a", "first line before reopening");
check_equal(file.open("crlf.txt", "R"), false, "modes are case sensitive");
check_equal(file.read_line(), null, "the earlier file was closed");

// Writing into the save folder, creating the missing folder on the way.
check(file.open("notes/out.txt", "w", "save"), "open for writing in the save folder");
check_equal(file.read_line(), null, "a file open for writing reads nothing");
check_equal(file.write_line("hello"), true, "write a line");
check_equal(file.write_line(""), true, "write an empty line");
check_equal(file.write_line("w\u00f6rld"), true, "write a line of UTF-8");
check_equal(file.close(), false, "close returns false");
check_lines(lines_of("notes/out.txt", "home"), ["hello", "", "w\u00f6rld"], "read back through home");
check_equal(file.write_line("late"), false, "writing after close fails");

// Writing without a location goes to the data folder; opening again closes and truncates.
check(file.open("written.txt", "w"), "open in the data folder");
file.write_line("dropped by the next open");
check(file.open("written.txt", "w"), "reopen truncates");
file.write_line("data line");
check(file.open("written.txt", "r"), "reopen for reading closes the writer");
check_equal(file.read_line(), "data line", "the flushed line");
check_equal(file.write_line("no"), false, "a file open for reading cannot be written");

// Until close, the old file stays whole. A File collected without close (a script error left
// it behind) drops what it wrote; one still open at quit is closed by the engine.
check(file.open("kept.txt", "w", "save"), "open kept.txt");
file.write_line("old");
file.close();
function write_then_fail(file) {
    file.open("kept.txt", "w", "save");
    file.write_line("new");
    check_lines(lines_of("kept.txt", "save"), ["old"], "the old file while the new one is written");
    throw "failed before close";
}
check_equal(error_of(@() write_then_fail(File())), "failed before close", "the error");
check_lines(lines_of("kept.txt", "save"), ["old"], "the old file after a collected File");
::g_open_at_quit <- File();
check(::g_open_at_quit.open("journal.txt", "w", "save"), "open journal.txt");
::g_open_at_quit.write_line("written by a File still open at quit");

// Scripts may extend File.
class Journal extends File {
    constructor() { base.constructor(); }
}
local journal = Journal();
check(journal.open("crlf.txt", "r"), "a derived class opens");
check_equal(journal.read_line(), "a", "a derived class reads");

// Wrong this and wrong arguments.
check_equal(error_of(@() File.read_line.call(HTTPPost())), "Expecting File", "read_line on HTTPPost");
check_equal(error_of(@() File.open.call(Time(1), "a", "r")), "Expecting File", "open on Time");
check_equal(error_of(@() File.constructor.call(HTTPPost())), "Expecting File", "constructor on HTTPPost");
check_equal(error_of(@() File.instance().close()), "Expecting File", "an instance never constructed");
local type_error = error_of(@() file.write_line(5));
check(type_error != null && type_error.find("invalid type 'integer'") != null,
      "write_line refuses a number: " + type_error);

checks_done();
::System.request_quit();
return null;
