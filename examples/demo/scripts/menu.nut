// The title screen: a menu over drifting dust.
class MenuScreen {
    game = null;
    scene = null;
    list = null;
    headings = null;  // the scene holds no references: the screen keeps its texts

    constructor(owner) {
        game = owner;
        scene = ::Scene();
        scene.set_view(game.view);
        ::add_dust(scene);
        headings = [::make_text(scene, "bold40", 0, 0), ::make_text(scene, "sans18", 0, 0)];
        ::set_centered_text(headings[0], "^2TARN ^0BREAKOUT", 110);
        ::set_centered_text(headings[1], "^4Arrows, mouse or joystick. Space, click or fire.", 160);
        list = ::UiMenu(items(), 230);
    }

    // The closures see the game through a local: when an item's function runs, `this` is the
    // item's table, not the screen.
    function items() {
        local g = game;
        local menu = [];
        if (game.can_continue())
            menu.append({ label = @() "Continue", activate = @() g.continue_play() });
        menu.append({ label = @() "New game", activate = @() g.new_play() });
        menu.append({ label = @() "Settings", activate = @() g.show_settings() });
        menu.append({ label = @() "Quit", activate = @() ::System.request_quit() });
        return menu;
    }

    function update(dt) {
        list.update(dt);
        scene.update(dt);
    }

    // The UI draws in front of the scene.
    function render() {
        scene.render_2d();
        list.render();
    }

    function key_down(key) {
        if (is_back_key(key))
            ::System.request_quit();
        else
            list.key_down(key);
    }
}
