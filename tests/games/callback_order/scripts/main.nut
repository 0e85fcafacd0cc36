::System.run_script("scripts/check.nut");

class Game {
    updates = 0;
    renders = 0;

    function preinit() {
        ::System.message("preinit");
        check(::CONSTANTS_LOADED, "constants.nut runs before main.nut");
    }
    function preinit_render() {
        ::System.message("preinit_render");
    }
    function init() {
        ::System.message("init");
    }
    function update(dt) {
        ::System.message("update");
        check_equal(typeof dt, "float", "dt is a float");
        check(dt > 0 && dt <= 0.1, "dt within (0, 0.1]: " + dt);
        updates++;
    }
    function render() {
        ::System.message("render");
        renders++;
        check_equal(renders, updates, "one update before each render");
        if (renders == 3) {
            checks_done();
            ::System.request_quit();
        }
    }
}

return Game();
