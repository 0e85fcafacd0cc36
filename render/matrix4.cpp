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

Matrix4 pose_matrix(const Vec3& position, const Quaternion& orientation) {
    const Matrix3 rotation = rotation_matrix(orientation);
    Matrix4 m = translation_matrix(position);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            m[c * 4 + r] = rotation[r * 3 + c];
    }
    return m;
}

// The 3x3 part inverted by cofactors, the translation moved back through it.
Matrix4 affine_inverse(const Matrix4& m) {
    auto at = [&m](int r, int c) { return m[c * 4 + r]; };
    auto cofactor = [&at](int r, int c) {
        const int r0 = (r + 1) % 3, r1 = (r + 2) % 3, c0 = (c + 1) % 3, c1 = (c + 2) % 3;
        return at(r0, c0) * at(r1, c1) - at(r0, c1) * at(r1, c0);
    };
    const float determinant =
        at(0, 0) * cofactor(0, 0) + at(0, 1) * cofactor(0, 1) + at(0, 2) * cofactor(0, 2);
    Matrix4 inverse = identity_matrix();
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            inverse[c * 4 + r] = cofactor(c, r) / determinant;
    }
    for (int r = 0; r < 3; ++r) {
        inverse[12 + r] = -(inverse[r] * m[12] + inverse[4 + r] * m[13] + inverse[8 + r] * m[14]);
    }
    return inverse;
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
