#pragma once

#include "render/vertex_format.hpp"
#include "script/affine2.hpp"

namespace tarn {

class Renderer;
class Sprite;

// Draws sprite (for an animated one, its frame) through transform into the renderer's quad
// batch, every vertex in color. A hidden sprite, or a frame index out of range, draws nothing.
void emit_sprite_quad(Renderer& renderer, const Affine2& transform, const Sprite& sprite, int frame,
                      PackedColor color);

}  // namespace tarn
