#pragma once

#include "render/text_layout.hpp"
#include "script/affine2.hpp"
#include "script/vector_math.hpp"

namespace tarn {

class GpuTexture;
class Renderer;
class UIBatch;

// The UI's way: draws every glyph of layout on texture in the batch's colour (the glyphs' own
// colours are ignored) at position + scale * (text-space point), up to 1024 glyphs per draw call.
// The caller has applied the batch's render state. Nothing is drawn before the batch is created.
void draw_text_layout(UIBatch& batch, const TextLayout& layout, const GpuTexture* texture,
                      const Vec2& position, const Vec2& scale);

// The scene's way: adds each glyph of layout to the renderer's quad batch on texture, its
// corners through transform, coloured by its own colour times tint. Returns the glyphs added:
// none when the batch takes no quads on texture (none, or the null texture).
int emit_text_layout(Renderer& renderer, const Affine2& transform, const TextLayout& layout,
                     GpuTexture* texture, const Vec4& tint);

}  // namespace tarn
