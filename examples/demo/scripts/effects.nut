// Particle effects. An emitter is shown by a SceneObject; the scene, made its owner, keeps it
// alive, so no script needs to hold it.

// Dust drifting down behind everything, over the whole screen.
function add_dust(scene) {
    local dust = ::SceneObject();
    dust.set_emitter("dust");
    dust.set_position(CANVAS_WIDTH / 2, CANVAS_HEIGHT / 2);  // the middle of the spawn box
    dust.set_layer(LAYER_DUST);
    dust.set_owner(scene);
    dust.set_scene(scene);
}

// Sparks in the brick's colour where it broke. The emitter object ends itself: when the burst
// is over the scene, its owner, lets go of it.
function burst_sparks(scene, brick) {
    local sparks = ::SceneObject();
    sparks.set_emitter("sparks" + brick.color);
    sparks.set_position(brick.get_position());
    sparks.set_layer(LAYER_FIELD + 1);
    sparks.set_auto_destroy(true);
    sparks.set_owner(scene);
    sparks.set_scene(scene);
}
