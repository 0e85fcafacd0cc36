// The ball moves itself by its velocity; the scene's collision pass tells it what it touched
// (on_collision) and its area tells it when it fell off the bottom (on_out_of_area).
class Ball extends SceneObject {
    screen = null;    // the PlayScreen, told about bricks and losses
    velocity = null;  // [x, y] pixels per second
    bounced = false;  // one bounce per update, however many bricks it touches
    lost = false;
    trail = null;

    constructor(play_screen) {
        base.constructor();
        screen = play_screen;
        velocity = [0, 0];
        set_scene(screen.scene);
        set_layer(LAYER_FIELD);
        set_sprite("ball");
        play();
        add_collision_circle(0, 0, 6);
        set_collision_bits(HIT_BALL, HIT_PADDLE | HIT_BRICK);
        set_area([-20, -20], [CANVAS_WIDTH + 20, CANVAS_HEIGHT + 20]);
        // A child object follows its parent: the trail emitter spawns wherever the ball is.
        trail = ::SceneObject();
        trail.set_emitter("trail");
        trail.set_parent(this);
        trail.set_layer(LAYER_FIELD - 1);
        trail.set_scene(screen.scene);
    }

    function is_moving() {
        return velocity[0] != 0 || velocity[1] != 0;
    }

    // Starts upwards, a little to one side.
    function launch() {
        set_direction(::System.get_random_float() < 0.5 ? -0.1 : 0.1);
    }

    // Direction in turns from straight up, clockwise; keeps the speed.
    function set_direction(turns) {
        local radians = ::System.rotation_to_radians(turns);
        velocity = [BALL_SPEED * sin(radians), -BALL_SPEED * cos(radians)];
    }

    function advance(dt) {
        bounced = false;
        local p = get_position();
        p = [p[0] + velocity[0] * dt, p[1] + velocity[1] * dt];
        if ((p[0] < 6 && velocity[0] < 0) || (p[0] > CANVAS_WIDTH - 6 && velocity[0] > 0)) {
            velocity[0] = -velocity[0];
            ::play_sound("wall");
        }
        if (p[1] < 6 && velocity[1] < 0) {
            velocity[1] = -velocity[1];
            ::play_sound("wall");
        }
        set_position(p);
    }

    function on_collision(other) {
        if (bounced || lost) return;
        bounced = true;
        if (other instanceof ::Paddle)
            bounce_off_paddle(other);
        else if (other instanceof ::Brick)
            bounce_off_brick(other);
    }

    // The farther from the paddle's middle, the steeper the ball leaves (up to 60 degrees).
    function bounce_off_paddle(paddle) {
        if (velocity[1] <= 0) return;  // rising, or waiting on the paddle
        local offset = (get_position()[0] - paddle.get_position()[0]) / paddle.half_width();
        offset = offset < -1 ? -1 : offset > 1 ? 1 : offset;
        set_direction(offset / 6);
        ::play_sound("blip");
    }

    // Bounces off the side it came from: compare the offset with the brick's proportions.
    function bounce_off_brick(brick) {
        local d = vec2_sub(get_position(), brick.get_position());
        if (fabs(d[0]) / 16 > fabs(d[1]) / 8)
            velocity[0] = d[0] < 0 ? -fabs(velocity[0]) : fabs(velocity[0]);
        else
            velocity[1] = d[1] < 0 ? -fabs(velocity[1]) : fabs(velocity[1]);
        screen.brick_hit(brick);
    }

    function on_out_of_area() {
        if (lost) return;
        lost = true;
        screen.ball_lost();
    }
}
