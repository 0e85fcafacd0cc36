// A window whose colour slowly cycles. Logs the frame rate every second; Esc or closing the
// window ends it.
class Hello {
    time = 0.0;
    since_fps_log = 0.0;

    function init() {
        ::System.message("Hello from Tarn. Press Esc to quit.");
        ::System.set_clear_screen(true);
    }

    function update(dt) {
        time += dt;
        since_fps_log += dt;
        if (since_fps_log >= FPS_LOG_INTERVAL) {
            since_fps_log -= FPS_LOG_INTERVAL;
            ::System.message("fps: ", ::System.get_fps());
        }
    }

    function render() {
        local phase = time * 0.5;
        ::System.set_clear_color([wave(phase), wave(phase + 0.33), wave(phase + 0.67), 1.0]);
    }

    function key_down(key) {
        if (key == KEY_ESC) ::System.request_quit();
    }

    // 0..1 and back once per turn.
    function wave(turns) {
        return 0.5 + 0.5 * sin(::System.rotation_to_radians(turns));
    }
}

return Hello();
