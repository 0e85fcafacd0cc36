// A brick of the wall. Coloured bricks break at the first hit; steel takes two.
class Brick extends SceneObject {
    color = 0;  // 0 .. BRICK_COLORS - 1, or BRICK_COLORS for steel
    hits_left = 1;

    constructor(scene, x, y, brick_color) {
        base.constructor();
        color = brick_color;
        hits_left = color == BRICK_COLORS ? 2 : 1;
        set_scene(scene);
        set_layer(LAYER_FIELD);
        set_sprite(color == BRICK_COLORS ? "steel" : "brick" + color);
        set_position(x, y);
        // Three overlapping circles roughly cover the 32 x 16 brick.
        foreach (cx in [-10, 0, 10])
            add_collision_circle(cx, 0, 7);
        set_collision_bits(HIT_BRICK, 0);
    }

    // Takes a hit; returns true when the brick breaks.
    function hit() {
        if (--hits_left > 0) {
            set_sprite("steel_cracked");
            return false;
        }
        remove_all_collisions();  // no more hits while the scene finishes this update
        set_enabled(false);
        return true;
    }

    function points() {
        return color == BRICK_COLORS ? 50 : 10 * (BRICK_COLORS - color);
    }
}
