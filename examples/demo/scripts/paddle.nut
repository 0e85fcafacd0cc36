// The player's paddle: an animated sprite with a row of collision circles along its length
// (the scene tests every shape as a circle), so the ball bounces off any part of it.
class Paddle extends SceneObject {
    constructor(scene) {
        base.constructor();
        set_scene(scene);
        set_layer(LAYER_FIELD);
        set_sprite("paddle");
        play();
        set_position(CANVAS_WIDTH / 2, PADDLE_Y);
        for (local x = -40; x <= 40; x += 16)
            add_collision_circle(x, 0, 8);
        set_collision_bits(HIT_PADDLE, 0);  // the ball reacts to the paddle, not the other way
    }

    function half_width() {
        return get_size()[0] / 2;
    }

    // Moves to x, kept inside the screen.
    function slide_to(x) {
        local half = half_width();
        set_position(x < half ? half : x > CANVAS_WIDTH - half ? CANVAS_WIDTH - half : x, PADDLE_Y);
    }

    // Moves by `direction` (-1 .. 1) at full speed for dt seconds.
    function steer(direction, dt) {
        slide_to(get_position()[0] + direction * PADDLE_SPEED * dt);
    }
}
