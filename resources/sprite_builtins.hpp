#pragma once

namespace tarn {

class Renderer;

// The renderer's built-in resources: the "_white_" and "_null_" textures and the sprites of the
// same names on them. Each def is declared only when the scripts did not define it; the objects
// stay alive (persistent) for the whole run. Hand it to Renderer::set_special_resources_maker.
void make_special_resources(Renderer& renderer);

}  // namespace tarn
