#pragma once

#include <cstdint>

#include "script/affine2.hpp"

namespace tarn {

// A collision circle or rectangle relative to a pivot, as sprites define them and scene objects
// test them. Only the centre is transformed; the radius and the rectangle size are used as
// stored.
struct CollisionShape {
    enum Kind : std::int32_t { kCircle = 1, kRectangle = 2 };

    std::int32_t kind = kCircle;
    float center_x = 0, center_y = 0;
    float radius = 0;
    // From the centre to the top-left corner (-width / 2, -height / 2).
    float corner_x = 0, corner_y = 0;
    float width = 0, height = 0;

    static CollisionShape circle(float x, float y, float radius) {
        return {kCircle, x, y, radius, 0, 0, 0, 0};
    }
    // A rectangle given by its top-left corner and size.
    static CollisionShape rectangle(float left, float top, float width, float height) {
        return {kRectangle, left + width / 2, top + height / 2, 0, -width / 2, -height / 2, width,
                height};
    }

    bool contains(const Affine2& transform, float px, float py) const {
        const float x = transform.apply_x(center_x, center_y);
        const float y = transform.apply_y(center_x, center_y);
        if (kind == kCircle)
            return (px - x) * (px - x) + (py - y) * (py - y) <= radius * radius;
        const float left = x + corner_x;
        const float top = y + corner_y;
        return left <= px && px < left + width && top <= py && py < top + height;
    }
};

}  // namespace tarn
