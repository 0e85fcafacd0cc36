// A column of text items: up and down (keys, joystick pad or pointing with the mouse) choose
// one; Enter, Space, a click or the fire button activate it; left and right adjust it.
//
// Each item is a table: label (a function returning its text), activate (a function) and,
// for adjustable items, adjust (a function taking -1 or 1).
class MenuList {
    items = null;
    texts = null;
    selected = 0;
    top = 0;
    controls = null;

    constructor(scene, menu_items, top_y, game_controls) {
        items = menu_items;
        top = top_y;
        controls = game_controls;
        texts = [];
        foreach (item in items)
            texts.append(::make_text(scene, "sans18", 0, 0));
        refresh();
    }

    // Lays the texts out again: the chosen item gold, between arrows when it is adjustable.
    function refresh() {
        foreach (i, item in items) {
            local label = item.label();
            if (i == selected)
                label = "adjust" in item ? "^1<  " + label + "  >" : "^1" + label;
            ::set_centered_text(texts[i], label, top + i * 36);
        }
    }

    function select(index) {
        if (index == selected || index < 0 || index >= items.len()) return;
        selected = index;
        ::play_sound("click");
        refresh();
    }

    // The item under the mouse when it moved, and a click on it activates it.
    function update() {
        local pointer = controls.moved_pointer();
        if (pointer == null) return;
        foreach (i, text in texts) {
            if (::text_contains(text, pointer)) select(i);
        }
    }

    function clicked_item() {
        local pointer = controls.pointer();
        foreach (i, text in texts) {
            if (::text_contains(text, pointer)) return i;
        }
        return -1;
    }

    function adjust(step) {
        local item = items[selected];
        if (!("adjust" in item)) return;
        item.adjust(step);
        ::play_sound("click");
        refresh();
    }

    function key_down(key) {
        if (key == KEY_UP || key == KEY_W || key == JOY_PAD_UP) {
            select(selected - 1);
        } else if (key == KEY_DOWN || key == KEY_S || key == JOY_PAD_DOWN) {
            select(selected + 1);
        } else if (key == KEY_LEFT || key == KEY_A || key == JOY_PAD_LEFT) {
            adjust(-1);
        } else if (key == KEY_RIGHT || key == KEY_D || key == JOY_PAD_RIGHT) {
            adjust(1);
        } else if (key == MOUSE_LEFT) {
            local index = clicked_item();
            if (index >= 0) items[index].activate();
        } else if (::is_launch_key(key)) {
            items[selected].activate();
        }
    }
}
