#pragma once

#include <vector>

namespace tarn {

// Horizontal alignment of laid-out lines.
enum TextAlign : int { kTextAlignLeft = 0, kTextAlignRight = 1, kTextAlignCenter = 2 };

// One visible glyph of a laid-out text: premultiplied colour, corners in text space (x right,
// y down, y0 the top) and the texture coordinates of those corners.
struct TextQuad {
    float r, g, b, a;
    float x0, y0, x1, y1;
    float u0, v0, u1, v1;
};
static_assert(sizeof(TextQuad) == 12 * sizeof(float));

// A text laid out once and drawn as often as needed.
struct TextLayout {
    float box_width = 0;
    float box_height = 0;
    float extent_width = 0;
    float extent_height = 0;
    std::vector<TextQuad> quads;
};

}  // namespace tarn
