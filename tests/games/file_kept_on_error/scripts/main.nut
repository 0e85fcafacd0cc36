// A game that rewrites its progress file and fails before closing it: the process ends on the
// error, and the old progress file must come through whole.
class Game {
    function update(dt) {
        local progress = File();
        ::System.message("open for writing: ", progress.open("progress.txt", "w", "save"));
        progress.write_line("level 4");
        return progress.missing_method();
    }
}
return Game();
