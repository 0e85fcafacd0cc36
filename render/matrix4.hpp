#pragma once

#include <array>

#include "script/vector_math.hpp"

namespace tarn {

// A 4x4 float matrix, column-major as OpenGL takes it: element (row r, column c) is m[c * 4 + r].
using Matrix4 = std::array<float, 16>;

Matrix4 identity_matrix();
Matrix4 translation_matrix(const Vec3& offset);
// Scales x, y and z, then adds offset: the affine maps views are built from.
Matrix4 scale_offset_matrix(const Vec3& scale, const Vec3& offset);
// Rotation by orientation, then translation by position.
Matrix4 pose_matrix(const Vec3& position, const Quaternion& orientation);
// The inverse of a matrix whose last row is (0, 0, 0, 1); a singular one gives non-finite values.
Matrix4 affine_inverse(const Matrix4& m);
Matrix4 multiply(const Matrix4& a, const Matrix4& b);
// The point (x, y, z, 1) through m, without a perspective divide.
Vec3 transform_point(const Matrix4& m, const Vec3& p);

}  // namespace tarn
