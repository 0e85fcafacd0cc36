// Menus drawn by the engine's user interface: a UI draws a tree of widgets in front of a
// camera. Each item is a button (a UISprite) holding a UILabel, and a volume bar for items with
// a level. The mouse reaches the buttons through the UI (hovered, key_down); keys and the
// joystick pad move the selection here.
//
// Each item is a table: label (a function returning its text), activate (a function) and, for
// adjustable items, adjust (a function taking -1 or 1) and optionally level (a function
// returning 0 .. 1, shown as a bar).

const BUTTON_WIDTH = 300;
const BUTTON_HEIGHT = 34;

class MenuButton extends UISprite {
    menu = null;
    item = null;
    label = null;
    bar = null;

    constructor(owner, menu_item, frame) {
        base.constructor({ sprite = "button", mode = "scale_to_fill", frame = frame });
        // A sprite widget starts with its sprite's size as the size its children are laid out
        // in; they are laid out in the button's own size here, so that they stretch with it.
        init_frame_size(frame[2], frame[3]);
        menu = owner;
        item = menu_item;
        // A label sized to the whole button, its text centred in it. It is "void": the mouse
        // passes through it to the button (the UI delivers a click to the topmost widget hit).
        label = ::UILabel({ align = "center", void = true, frame = [0, 0, frame[2], frame[3]] });
        add_widget(label);
        if ("level" in item) {
            label.set_frame_size(frame[2], frame[3] - 6);
            bar = ::UISprite({ sprite = "bar", mode = "scale_to_fill", void = true,
                               frame = [20, frame[3] - 9, frame[2] - 40, 4] });
            add_widget(bar);
        }
    }

    function show(selected) {
        set_sprite(selected ? "button_lit" : "button");
        label.set_text("adjust" in item && selected ? "<  " + item.label() + "  >" : item.label());
        if (bar != null) {
            // The bar's length shows the level, within the button as wide as it is now.
            local size = get_frame_size();
            bar.set_frame_size((size[0] - 40 * size[0] / BUTTON_WIDTH) * item.level(),
                               bar.get_frame_size()[1]);
        }
    }

    // Called by the UI as the mouse comes onto the button (and leaves it).
    function hovered(pointer, entering) {
        if (entering) menu.select_button(this);
    }

    // Pointer keys come here through the UI. The menu acts on the click once the UI is done
    // with it, since an item may close the menu and with it the UI.
    function key_down(key) {
        if (key == MOUSE_LEFT)
            menu.click = [this, mouse_to_local(0)[0] < get_frame_size()[0] / 2 ? -1 : 1];
    }
}

class UiMenu {
    ui = null;
    panel = null;  // laid out for the 640 x 480 canvas, stretched to the window's viewport
    buttons = null;
    selected = 0;
    click = null;  // [button, side]: a click that the UI delivered, -1 on its left half, 1 right
    screen_size = null;  // the window size the panel was fitted to

    constructor(items, top_y) {
        ui = ::UI();
        ui.set_camera(::Camera());  // placed by fit_to_window
        panel = ::UIWidget();
        panel.init_frame_size(CANVAS_WIDTH, CANVAS_HEIGHT);
        buttons = [];
        foreach (i, item in items) {
            local frame = [(CANVAS_WIDTH - BUTTON_WIDTH) / 2, top_y + i * (BUTTON_HEIGHT + 8),
                           BUTTON_WIDTH, BUTTON_HEIGHT];
            buttons.append(::MenuButton(this, item, frame));
            panel.add_widget(buttons.top());
        }
        ui.add_widget(panel);
        fit_to_window();
    }

    // The camera's viewport is the canvas's place in the window, as for the scene's view; the
    // UI canvas starts at its corner, one UI unit to a window pixel. Children stretch with their
    // parent: resizing the panel to the viewport places and sizes every button for the window
    // (a label's text is never enlarged, only centred).
    function fit_to_window() {
        local screen = ::System.get_screen_size();
        screen_size = screen;
        local scale = screen[0] / CANVAS_WIDTH < screen[1] / CANVAS_HEIGHT
                          ? screen[0] / CANVAS_WIDTH : screen[1] / CANVAS_HEIGHT;
        local camera = ui.get_camera();
        camera.set_viewport_size(CANVAS_WIDTH, CANVAS_HEIGHT);
        camera.fit_viewport_to_screen();
        ui.setup_canvas_2d([0, 0], [0, 0], [0, 0, 0, 1]);
        panel.set_frame_size(CANVAS_WIDTH * scale, CANVAS_HEIGHT * scale);
        refresh();
    }

    function refresh() {
        foreach (i, button in buttons)
            button.show(i == selected);
    }

    function select(index) {
        if (index == selected || index < 0 || index >= buttons.len()) return;
        selected = index;
        ::play_sound("click");
        refresh();
    }

    function select_button(button) {
        select(buttons.find(button));
    }

    function adjust(step) {
        local item = buttons[selected].item;
        if (!("adjust" in item)) return;
        item.adjust(step);
        ::play_sound("click");
        refresh();
    }

    function update(dt) {
        local screen = ::System.get_screen_size();
        if (screen[0] != screen_size[0] || screen[1] != screen_size[1]) fit_to_window();
        ui.update(dt);  // hover first: the mouse selects the button it is on
    }

    function render() {
        ui.render();
    }

    // A click activates the item, or, on an adjustable one, lowers it on the left half and
    // raises it on the right.
    function act_on_click() {
        local button = click[0], side = click[1];
        click = null;
        select_button(button);
        if ("adjust" in button.item)
            adjust(side);
        else
            button.item.activate();
    }

    function key_down(key) {
        if (ui.handle_key_down(key)) {  // a pointer key that reached a button
            if (click != null) act_on_click();
            return;
        }
        if (key == KEY_UP || key == KEY_W || key == JOY_PAD_UP)
            select(selected - 1);
        else if (key == KEY_DOWN || key == KEY_S || key == JOY_PAD_DOWN)
            select(selected + 1);
        else if (key == KEY_LEFT || key == KEY_A || key == JOY_PAD_LEFT)
            adjust(-1);
        else if (key == KEY_RIGHT || key == KEY_D || key == JOY_PAD_RIGHT)
            adjust(1);
        else if (::is_launch_key(key))
            buttons[selected].item.activate();
    }
}
