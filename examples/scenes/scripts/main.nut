// Balls wander about a scene; when two touch they bounce apart and throw sparks. Each ball is a
// SceneObject subclass: the scene calls its on_move_end and on_collision. Esc quits.

// data/sprites.png holds four frames of a ball and a glow, 32 x 32 each.
g_texture_defs["sprites.png"] <- { mipmaps = false, frame_size = [32, 32], frame_pivot = [16, 16] };
g_sprite_defs["ball"] <- { texture = "sprites.png", frames = [0, 1, 2, 3], duration = 0.6, loop = true };
g_sprite_defs["glow"] <- { texture = "sprites.png", frame = 4, pivot = "center" };
g_emitter_defs["sparks"] <- { sprite = "glow", spawn_rate = 16, spawn_duration = 0, spread = 360,
                              speed = [60, 160], gravity = 200, duration = [0.3, 0.6],
                              alpha_run = [1, 0], scale_run = [1, 0.2] };
g_texture_defs["fonts/sans24.png"] <- { mipmaps = false };
g_font_defs["sans24"] <- { file = "fonts/sans24.fnt" };

function random(low, high) {
    return low + (high - low) * ::System.get_random_float();
}

class Ball extends SceneObject {
    game = null;
    bouncing = false;

    constructor(owner, x, y) {
        base.constructor();
        game = owner;
        set_scene(game.scene);
        set_sprite("ball");
        play_random();
        set_position(x, y);
        add_collision_circle(0, 0, 14);
        set_collision_bits(1, 1);  // a ball, and it reacts to balls
    }

    function wander() {
        bouncing = false;
        move_to(random(20, CANVAS_WIDTH - 20), random(60, CANVAS_HEIGHT - 20), random(60, 140));
    }

    function on_move_end() {
        wander();
    }

    // Called at every update while the two touch: bounce once, straight away from the other.
    function on_collision(other) {
        if (bouncing) return;
        bouncing = true;
        local away = vec2_safe_normalize(vec2_sub(get_position(), other.get_position()));
        move_to(vec2_add(get_position(), [away[0] * 60, away[1] * 60]), 200);
        game.bounced(this);
    }
}

class ScenesGame {
    scene = null;
    title = null;
    balls = null;
    bounces = 0;

    function init() {
        ::System.set_clear_screen(true);
        ::System.set_clear_color([0.08, 0.1, 0.16, 1]);
        local view = View2d();
        view.set_canvas_size(CANVAS_WIDTH, CANVAS_HEIGHT);
        view.set_viewport_size(CANVAS_WIDTH, CANVAS_HEIGHT);
        view.fit_viewport_to_screen();
        scene = Scene();
        scene.set_view(view);

        title = SceneObject();
        title.set_scene(scene);
        title.set_layer(1);  // in front of the balls
        title.set_font("sans24");
        title.set_position(16, 12);
        title.set_text("Touch and bounce. Esc quits.");

        // The first two head for each other; the others wander.
        balls = [Ball(this, 100, 240), Ball(this, 540, 240)];
        balls[0].move_to(balls[1].get_position(), 120);
        balls[1].move_to(balls[0].get_position(), 120);
        while (balls.len() < BALL_COUNT) {
            balls.append(Ball(this, random(20, CANVAS_WIDTH - 20), random(60, CANVAS_HEIGHT - 20)));
            balls.top().wander();
        }
    }

    function bounced(ball) {
        if (bounces++ == 0) ::System.message("First bounce.");
        title.set_text("Bounces: " + bounces);
        // The sparks object ends itself: when its burst is over, the scene that owns it lets go.
        local sparks = SceneObject();
        sparks.set_emitter("sparks");
        sparks.set_position(ball.get_position());
        sparks.set_auto_destroy(true);
        sparks.set_owner(scene);
        sparks.set_scene(scene);
    }

    function update(dt) {
        scene.update(dt);
    }

    function render() {
        scene.render_2d();
    }

    function key_down(key) {
        if (key == KEY_ESC) ::System.request_quit();
    }
}

return ScenesGame();
