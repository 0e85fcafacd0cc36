#pragma once

#include <array>
#include <cmath>
#include <cstddef>

namespace tarn {

// Vectors and quaternions as scripts see them. Axes: x right, y forward, z up. A quaternion is
// (x, y, z, w) with w last; nothing here normalises one. Angles are in turns (1.0 = 360 degrees).
template <std::size_t N>
using Vec = std::array<float, N>;
using Vec2 = Vec<2>;
using Vec3 = Vec<3>;
using Vec4 = Vec<4>;
using Quaternion = Vec4;
// A 3x3 matrix, rows by columns.
using Matrix3 = std::array<float, 9>;

template <std::size_t N>
Vec<N> add(const Vec<N>& a, const Vec<N>& b) {
    Vec<N> result;
    for (std::size_t i = 0; i < N; ++i)
        result[i] = a[i] + b[i];
    return result;
}

template <std::size_t N>
Vec<N> subtract(const Vec<N>& a, const Vec<N>& b) {
    Vec<N> result;
    for (std::size_t i = 0; i < N; ++i)
        result[i] = a[i] - b[i];
    return result;
}

template <std::size_t N>
Vec<N> scaled(const Vec<N>& v, float s) {
    Vec<N> result;
    for (std::size_t i = 0; i < N; ++i)
        result[i] = v[i] * s;
    return result;
}

template <std::size_t N>
float dot(const Vec<N>& a, const Vec<N>& b) {
    float sum = 0.0f;
    for (std::size_t i = 0; i < N; ++i)
        sum += a[i] * b[i];
    return sum;
}

inline Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

template <std::size_t N>
float length(const Vec<N>& v) {
    float sum = 0.0f;
    for (float x : v)
        sum += x * x;
    return std::sqrt(sum);
}

// Lengths up to this count as zero for safe_normalize.
inline constexpr float kNormalizeEpsilon = 1.0f / 65536.0f;

// v scaled to length 1, or the zero vector when v is (nearly) zero.
template <std::size_t N>
Vec<N> safe_normalize(const Vec<N>& v) {
    const float l = length(v);
    Vec<N> result{};
    if (l <= kNormalizeEpsilon)
        return result;
    for (std::size_t i = 0; i < N; ++i)
        result[i] = v[i] / l;
    return result;
}

inline constexpr Quaternion kIdentityQuaternion = {0.0f, 0.0f, 0.0f, 1.0f};

// The Hamilton product a ⊗ b: rotating by it rotates by b first, then by a.
Quaternion multiply(const Quaternion& a, const Quaternion& b);
// v rotated by q (q v q*).
Vec3 rotate(const Quaternion& q, const Vec3& v);
Vec3 forward_vector(const Quaternion& q);  // q applied to (0, 1, 0)
Vec3 right_vector(const Quaternion& q);    // q applied to (1, 0, 0)
Vec3 up_vector(const Quaternion& q);       // q applied to (0, 0, 1)
// Rz(about_z) ⊗ Rx(about_x) ⊗ Ry(about_y): the turn about y (forward) applies first, then
// the one about x (right), then the one about z (up).
Quaternion quaternion_from_euler(float about_z, float about_x, float about_y);
// The rotation matrix of q, for camera and UI transforms.
Matrix3 rotation_matrix(const Quaternion& q);

// Conversions between turns, degrees and radians, with the engine's single-precision constants.
inline constexpr float kTurnsPerDegree = 0.0027777778f;
inline constexpr float kTurnsPerRadian = 0.15915494f;
inline constexpr float kRadiansPerTurn = 6.2831855f;

inline float degrees_to_turns(float degrees) {
    return degrees * kTurnsPerDegree;
}
inline float radians_to_turns(float radians) {
    return radians * kTurnsPerRadian;
}
inline float turns_to_radians(float turns) {
    return turns * kRadiansPerTurn;
}
inline float turns_to_degrees(float turns) {
    return turns * 360.0f;
}
inline float radians_to_degrees(float radians) {
    return radians * 360.0f * kTurnsPerRadian;
}
inline float degrees_to_radians(float degrees) {
    return degrees * kRadiansPerTurn * kTurnsPerDegree;
}
// The rotation brought into [0, 1).
float normalize_turns(float turns);

}  // namespace tarn
