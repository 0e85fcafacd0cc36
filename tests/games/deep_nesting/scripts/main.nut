::System.run_script("scripts/check.nut");

// Scripts nested far too deeply fail to compile with an error at the place the compiler
// reached, instead of taking the engine down; nesting that real scripts use still compiles.

function repeat(text, times) {
    local result = "";
    for (; times > 0; times = times >> 1, text += text) {
        if (times & 1)
            result += text;
    }
    return result;
}

// Writes text as data/<name>, where run_script finds it as "data/<name>".
function write_script(name, text) {
    local file = File();
    check(file.open(name, "w"), "write " + name);
    file.write_line(text);
    file.close();
    return "data/" + name;
}

function ends_with(text, end) {
    return text.len() >= end.len() && text.slice(text.len() - end.len()) == end;
}

local kinds = [
    { name = "parentheses", before = "return ", open = "(", core = "7", close = ")" },
    { name = "negations", before = "return ", open = "!", core = "7", close = "" },
    { name = "conditions", before = "local a = 1; ", open = "if (a) ", core = "a = 2;", close = "" },
    { name = "blocks", before = "", open = "{ ", core = "local b = 1;", close = " }" },
    { name = "functions", before = "", open = "function f() { ", core = "", close = " }" },
    { name = "closures", before = "return ", open = "function() { return ", core = "7", close = "; }" },
];

foreach (kind in kinds) {
    local text = @(depth) kind.before + repeat(kind.open, depth) + kind.core +
                          repeat(kind.close, depth);
    local usual = write_script(kind.name + "_100.nut", text(100));
    check_equal(typeof ::System.load_script(usual), "function", kind.name + " 100 deep");

    local path = write_script(kind.name + "_20000.nut", text(20000));
    local error = error_of(@() ::System.load_script(path));
    check(error != null && error.find("Compile error in '" + path + "', line 1, column ") == 0 &&
          ends_with(error, ": expression or block nested too deeply."),
          kind.name + " 20000 deep: " + error);
    check_equal(::System.get_last_script_compile_error_line_numer(), 1, kind.name + " line");

    // The standard library's compilestring goes through the same compiler.
    check_equal(error_of(@() ::compilestring(text(20000))),
                "expression or block nested too deeply", kind.name + " in compilestring");
    check_equal(typeof ::compilestring(text(100)), "function", kind.name + " compilestring 100");
}

checks_done();
::System.request_quit();
return null;
