#pragma once

#include <cmath>

namespace tarn {

// A 2D affine transform: x' = m[0]·x + m[2]·y + m[4], y' = m[1]·x + m[3]·y + m[5].
struct Affine2 {
    float m[6] = {1, 0, 0, 1, 0, 0};

    static Affine2 translation(float x, float y) { return {{1, 0, 0, 1, x, y}}; }
    static Affine2 rotation(float radians) {
        float c = std::cos(radians);
        float s = std::sin(radians);
        return {{c, s, -s, c, 0, 0}};
    }
    static Affine2 scale(float sx, float sy) { return {{sx, 0, 0, sy, 0, 0}}; }

    float apply_x(float x, float y) const { return m[0] * x + m[2] * y + m[4]; }
    float apply_y(float x, float y) const { return m[1] * x + m[3] * y + m[5]; }

    // a * b applies b first, then a.
    friend Affine2 operator*(const Affine2& a, const Affine2& b) {
        return {{a.m[0] * b.m[0] + a.m[2] * b.m[1], a.m[1] * b.m[0] + a.m[3] * b.m[1],
                 a.m[0] * b.m[2] + a.m[2] * b.m[3], a.m[1] * b.m[2] + a.m[3] * b.m[3],
                 a.m[0] * b.m[4] + a.m[2] * b.m[5] + a.m[4],
                 a.m[1] * b.m[4] + a.m[3] * b.m[5] + a.m[5]}};
    }
};

}  // namespace tarn
