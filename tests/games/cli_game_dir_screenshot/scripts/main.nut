// Started from another folder with this one named on the command line: every relative path
// (boot.config, scripts, data, the save folder) still leads here.
::System.run_script("scripts/check.nut");
local file = ::File();
check(file.open("note.txt", "r"), "data/note.txt opens");
checks_done();
return {
    function render() { ::System.message("render"); }
};
