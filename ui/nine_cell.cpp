#include "ui/nine_cell.hpp"

#include <algorithm>

namespace tarn {

namespace {

// How much the two borders along one axis shrink to fit the room between them.
float border_scale(float room, float near, float far) {
    const float borders = near + far;
    return borders > 0.0f ? std::min(1.0f, room / borders) : 1.0f;
}

float fraction(float part, float whole) {
    return whole > 0.0f ? part / whole : 0.0f;
}

std::array<float, 2> lerp(const std::array<float, 2>& a, const std::array<float, 2>& b, float t) {
    return {a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t};
}

}  // namespace

NineCellStops nine_cell_stops(const Vec2& frame_size, const std::array<float, 4>& border,
                              const Vec2& picture_size) {
    const auto [left, right, top, bottom] = border;
    const auto [width, height] = frame_size;
    const float gx = border_scale(width, left, right);
    const float gy = border_scale(height, top, bottom);
    NineCellStops stops;
    stops.x = {0.0f, left * gx, width - right * gx, width};
    stops.y = {0.0f, top * gy, height - bottom * gy, height};
    stops.u = {0.0f, fraction(left, picture_size[0]), 1.0f - fraction(right, picture_size[0]),
               1.0f};
    stops.v = {0.0f, fraction(top, picture_size[1]), 1.0f - fraction(bottom, picture_size[1]),
               1.0f};
    return stops;
}

std::array<float, 2> bilinear_uv(const QuadUv& uv, float fu, float fv) {
    enum { kTopLeft, kTopRight, kBottomLeft, kBottomRight };
    return lerp(lerp(uv[kTopLeft], uv[kTopRight], fu), lerp(uv[kBottomLeft], uv[kBottomRight], fu),
                fv);
}

std::array<UIQuad, 9> nine_cell_quads(const NineCellStops& stops, const QuadUv& uv,
                                      const Vec2& offset) {
    std::array<UIQuad, 9> cells;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const float u0 = stops.u[column], u1 = stops.u[column + 1];
            const float v0 = stops.v[row], v1 = stops.v[row + 1];
            cells[row * 3 + column] = {
                stops.x[column] + offset[0],
                stops.y[row] + offset[1],
                stops.x[column + 1] + offset[0],
                stops.y[row + 1] + offset[1],
                {bilinear_uv(uv, u0, v0), bilinear_uv(uv, u1, v0), bilinear_uv(uv, u0, v1),
                 bilinear_uv(uv, u1, v1)},
            };
        }
    }
    return cells;
}

}  // namespace tarn
