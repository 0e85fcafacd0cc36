#include "render/matrix4.hpp"

namespace tarn {

Matrix4 identity_matrix() {
    return scale_offset_matrix({1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f});
}

Matrix4 translation_matrix(const Vec3& offset) {
    return scale_offset_matrix({1.0f, 1.0f, 1.0f}, offset);
}

Matrix4 scale_offset_matrix(const Vec3& scale, const Vec3& offset) {
    Matrix4 m{};
    for (int i = 0; i < 3; ++i) {
        m[i * 5] = scale[i];
        m[12 + i] = offset[i];
    }
    m[15] = 1.0f;
    return m;
}

Matrix4 multiply(const Matrix4& a, const Matrix4& b) {
    Matrix4 m{};
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += a[k * 4 + r] * b[c * 4 + k];
            m[c * 4 + r] = sum;
        }
    }
    return m;
}

Vec3 transform_point(const Matrix4& m, const Vec3& p) {
    Vec3 out;
    for (int r = 0; r < 3; ++r)
        out[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r];
    return out;
}

}  // namespace tarn
