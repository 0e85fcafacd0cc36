// Moves many sprite objects in one scene and logs the whole-frame time, then quits. Settings,
// from boot.config (bench/run-scene-bench writes them):
//   bench_objects  how many objects (default 10000)
//   bench_mode     "native": each object moves with move_to, the next move chained from its
//                  on_move_end; "script": update(dt) moves every object with set_position
//   bench_frames   frames measured after a warm-up (default 200)
// data/sprites.png is the scene sample's sprite sheet.
g_texture_defs["sprites.png"] <- { mipmaps = false, frame_size = [32, 32], frame_pivot = [16, 16] };
g_sprite_defs["dot"] <- { texture = "sprites.png", frame = 0, pivot = "center" };

function random(low, high) {
    return low + (high - low) * ::System.get_random_float();
}

// Nanoseconds from the low 32 bits of the profile clock (intervals under 4 s).
function since(start) {
    return (::System.get_system_profile_time() - start) & 0xFFFFFFFF;
}

class Wanderer extends SceneObject {
    function wander() {
        move_to(random(0, CANVAS_WIDTH), random(0, CANVAS_HEIGHT), random(50, 150));
    }
    function on_move_end() {
        wander();
    }
}

class Bench {
    mode = null;
    frames = 0;
    scene = null;
    objects = null;
    velocities = null;  // script mode: vx, vy per object
    frame = 0;
    last_frame_start = null;
    frame_ns = 0;
    update_ns = 0;
    render_ns = 0;

    function init() {
        local count = setting("bench_objects", 10000);
        frames = setting("bench_frames", 200);
        mode = ::System.get_cvar("bench_mode") == "script" ? "script" : "native";
        local view = View2d();
        view.set_canvas_size(CANVAS_WIDTH, CANVAS_HEIGHT);
        view.set_viewport_size(CANVAS_WIDTH, CANVAS_HEIGHT);
        view.fit_viewport_to_screen();
        scene = Scene();
        scene.set_view(view);
        objects = array(count);
        velocities = array(count * 2);
        for (local i = 0; i < count; i += 1) {
            local o = mode == "native" ? Wanderer() : SceneObject();
            o.set_scene(scene);
            o.set_sprite("dot");
            o.set_position(random(0, CANVAS_WIDTH), random(0, CANVAS_HEIGHT));
            if (mode == "native") o.wander();
            velocities[i * 2] = random(-150, 150);
            velocities[i * 2 + 1] = random(-150, 150);
            objects[i] = o;
        }
    }

    function setting(name, fallback) {
        local value = ::System.get_cvar_integer(name);
        return value > 0 ? value : fallback;
    }

    // Straight lines, bouncing off the canvas edges.
    function move_by_script(dt) {
        foreach (i, o in objects) {
            local p = o.get_position();
            local vx = velocities[i * 2], vy = velocities[i * 2 + 1];
            local x = p[0] + vx * dt, y = p[1] + vy * dt;
            if (x < 0 || x > CANVAS_WIDTH) velocities[i * 2] = -vx;
            if (y < 0 || y > CANVAS_HEIGHT) velocities[i * 2 + 1] = -vy;
            o.set_position(x, y);
        }
    }

    function update(dt) {
        local start = ::System.get_system_profile_time();
        if (frame > WARM_UP_FRAMES) frame_ns += (start - last_frame_start) & 0xFFFFFFFF;
        last_frame_start = start;
        if (mode == "script") move_by_script(dt);
        scene.update(dt);
        if (frame >= WARM_UP_FRAMES) update_ns += since(start);
    }

    function render() {
        local start = ::System.get_system_profile_time();
        scene.render_2d();
        if (frame >= WARM_UP_FRAMES) render_ns += since(start);
        frame += 1;
        if (frame == WARM_UP_FRAMES + frames) report();
    }

    function report() {
        local ms = @(ns, count) format("%.2f", ns / 1e6 / count);
        // frame_ns holds the intervals between the measured frames' starts.
        ::System.message("bench ", mode, " ", objects.len(), " objects: frame ",
                         ms(frame_ns, frames - 1), " ms (update ", ms(update_ns, frames),
                         " ms, render_2d ", ms(render_ns, frames), " ms), ", frames, " frames");
        ::System.request_quit();
    }
}

return Bench();
