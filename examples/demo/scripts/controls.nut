// The player's controls, whatever the device: arrow keys or A/D, the mouse, or a joystick's
// stick and pad. Keys and buttons that act once (launch, pause, back) arrive in key_down.

function is_launch_key(key) {
    return key == KEY_SPACE || key == KEY_ENTER || key == MOUSE_LEFT || key == JOY_0;
}

function is_back_key(key) {
    return key == KEY_ESC || key == JOY_1;
}

class Controls {
    view = null;
    autopilot = null;  // the attract mode steers instead of the player when set

    constructor(game_view) {
        view = game_view;
    }

    // -1 (left) .. 1 (right): keys first, then the joystick's stick.
    function steering() {
        if (autopilot != null) return autopilot.steering();
        local left = ::System.is_key_down(KEY_LEFT) || ::System.is_key_down(KEY_A) ||
                     ::System.is_key_down(JOY_PAD_LEFT);
        local right = ::System.is_key_down(KEY_RIGHT) || ::System.is_key_down(KEY_D) ||
                      ::System.is_key_down(JOY_PAD_RIGHT);
        if (left != right) return left ? -1 : 1;
        return ::System.get_joystick_direction()[0];
    }

    // The mouse in canvas coordinates when it moved this frame, else null.
    function moved_pointer() {
        if (autopilot != null) return null;
        local delta = ::System.get_mouse_delta();
        if (delta[0] == 0 && delta[1] == 0) return null;
        return view.screen_to_canvas(::System.get_mouse_position());
    }
}
