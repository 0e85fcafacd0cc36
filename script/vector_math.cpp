#include "script/vector_math.hpp"

#include <numbers>

namespace tarn {

namespace {

// A rotation by `turns` about a unit axis.
Quaternion axis_rotation(const Vec3& axis, float turns) {
    const float half = turns * std::numbers::pi_v<float>;
    const float s = std::sin(half);
    return {axis[0] * s, axis[1] * s, axis[2] * s, std::cos(half)};
}

}  // namespace

Quaternion multiply(const Quaternion& a, const Quaternion& b) {
    const auto [ax, ay, az, aw] = a;
    const auto [bx, by, bz, bw] = b;
    return {aw * bx + ax * bw + ay * bz - az * by, aw * by - ax * bz + ay * bw + az * bx,
            aw * bz + ax * by - ay * bx + az * bw, aw * bw - (ax * bx + ay * by + az * bz)};
}

Vec3 rotate(const Quaternion& q, const Vec3& v) {
    const Vec3 u = {q[0], q[1], q[2]};
    const float w = q[3];
    const float uv = 2.0f * dot(u, v);
    const float scale = w * w - dot(u, u);
    const Vec3 c = cross(u, v);
    Vec3 result;
    for (int i = 0; i < 3; ++i)
        result[i] = uv * u[i] + scale * v[i] + 2.0f * w * c[i];
    return result;
}

Vec3 forward_vector(const Quaternion& q) {
    return rotate(q, {0.0f, 1.0f, 0.0f});
}

Vec3 right_vector(const Quaternion& q) {
    return rotate(q, {1.0f, 0.0f, 0.0f});
}

Vec3 up_vector(const Quaternion& q) {
    return rotate(q, {0.0f, 0.0f, 1.0f});
}

Quaternion quaternion_from_euler(float about_z, float about_x, float about_y) {
    const Quaternion rz = axis_rotation({0.0f, 0.0f, 1.0f}, about_z);
    const Quaternion rx = axis_rotation({1.0f, 0.0f, 0.0f}, about_x);
    const Quaternion ry = axis_rotation({0.0f, 1.0f, 0.0f}, about_y);
    return multiply(rz, multiply(rx, ry));
}

Matrix3 rotation_matrix(const Quaternion& q) {
    const auto [x, y, z, w] = q;
    return {1 - 2 * (y * y + z * z), 2 * (x * y - z * w),     2 * (x * z + y * w),
            2 * (x * y + z * w),     1 - 2 * (x * x + z * z), 2 * (y * z - x * w),
            2 * (x * z - y * w),     2 * (y * z + x * w),     1 - 2 * (x * x + y * y)};
}

float normalize_turns(float turns) {
    const float fraction = turns - std::floor(turns);
    // A tiny negative rotation would round up to a full turn.
    return fraction < 1.0f ? fraction : 0.0f;
}

}  // namespace tarn
