#pragma once

#include <array>

namespace tarn {

class GpuTexture;
class UIBatch;

// Texture coordinates (u, v) of a rectangle's corners: top-left, top-right, bottom-left,
// bottom-right (the order of a sprite's corners).
using QuadUv = std::array<std::array<float, 2>, 4>;

// A textured rectangle from (x0, y0) to (x1, y1) in the units of the loaded matrix.
struct UIQuad {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    QuadUv uv{};
};

// Draws one quad on texture (null: none) in the batch's colour with one draw call, through the
// batch's first four vertices. The caller has applied the batch's render state. Nothing is drawn
// before the batch is created.
void draw_ui_quad(UIBatch& batch, const UIQuad& quad, const GpuTexture* texture);

}  // namespace tarn
