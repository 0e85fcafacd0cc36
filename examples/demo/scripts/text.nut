// Text objects: a SceneObject with a font shows text. Its position is the top-left corner of
// the laid-out text, so centring measures the text first (get_size).

function make_text(scene, font, x, y) {
    local text = ::SceneObject();
    text.set_scene(scene);
    text.set_layer(LAYER_TEXT);
    text.set_font(font);
    text.set_position(x, y);
    return text;
}

// Shows `message` centred on the canvas around the height `y`.
function set_centered_text(text, message, y) {
    text.set_text(message);
    local size = text.get_size();
    text.set_position((CANVAS_WIDTH - size[0]) / 2, y - size[1] / 2);
}
