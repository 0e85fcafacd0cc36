#pragma once

#include <array>

#include "render/ui_quad.hpp"
#include "script/vector_math.hpp"

namespace tarn {

// Where a bordered picture is cut into three columns and three rows: the four x and y stops in
// the frame and the matching fractions of the picture across (u) and down (v).
struct NineCellStops {
    std::array<float, 4> x{}, y{};
    std::array<float, 4> u{}, v{};
};

// Stops for a picture of picture_size with border (left, right, top, bottom) stretched over a
// frame of frame_size. The corners keep their size unless the frame is narrower (or lower) than
// the two borders together; then both borders shrink alike and the middle is empty.
NineCellStops nine_cell_stops(const Vec2& frame_size, const std::array<float, 4>& border,
                              const Vec2& picture_size);

// The texture coordinates at fraction (fu across, fv down) of a rectangle with corner
// coordinates uv, interpolated bilinearly (so rotated or mirrored corners carry over).
std::array<float, 2> bilinear_uv(const QuadUv& uv, float fu, float fv);

// The nine cells, row by row from the top, moved by offset.
std::array<UIQuad, 9> nine_cell_quads(const NineCellStops& stops, const QuadUv& uv,
                                      const Vec2& offset);

}  // namespace tarn
