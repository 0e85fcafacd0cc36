// A UI driven by the game's callbacks in the real frame loop: the pointer moves from the left
// button to the right one, clicks reach the button under it, hover changes are told in order,
// and a resized panel stretches its buttons.
::System.run_script("scripts/check.nut");

::g_events <- [];

class Button extends UIWidget {
    name = null;
    constructor(button_name, table) {
        name = button_name;
        base.constructor(table);
    }
    function hovered(index, entering) {
        if (index == 0) ::g_events.append(name + (entering ? " enter" : " leave"));
    }
    function key_down(key) { ::g_events.append(name + " down " + key); }
}

class Game {
    ui = null;
    panel = null;
    right = null;
    frame = 0;

    function init() {
        local camera = Camera();
        camera.set_viewport_size([320, 240]);
        ui = UI();
        ui.set_camera(camera);
        ui.setup_canvas_2d([0, 0], [0, 0], [0, 0, 0, 1]);
        panel = UIWidget();
        panel.init_frame_size([320, 240]);
        right = Button("right", { frame = [160, 0, 160, 240] });
        ui.add_widget(panel.add_widget(Button("left", { frame = [0, 0, 160, 240] }))
                          .add_widget(right));
        panel.remove_child_widget(UIWidget());
        check_equal(ui.handle_key_down(KEY_A), false, "a keyboard key");
    }

    function update(dt) {
        ++frame;
        ::System.iphone_override_mouse_position(frame == 1 ? 40 : 200, 100);
        ui.update(dt);
        ui.handle_key_down(MOUSE_LEFT);
        if (frame < 2)
            return;
        check_equal(::g_events.reduce(@(a, b) a + "," + b),
                    "left enter,left down 178,left leave,right enter,right down 178", "events");
        panel.set_frame_size([640, 240]);
        local at = right.get_frame_position(), size = right.get_frame_size();
        check_equal(at[0] + " " + size[0], "320 320", "stretched right button");
        checks_done();
        ::System.request_quit();
    }

    function render() { ui.render(); }
}

return Game();
