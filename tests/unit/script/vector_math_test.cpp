#include "script/vector_math.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace tarn {
namespace {

constexpr float kTolerance = 1e-5f;

void expect_near(const Vec3& actual, const Vec3& expected) {
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], kTolerance) << "element " << i;
}

void expect_near(const Quaternion& actual, const Quaternion& expected) {
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_NEAR(actual[i], expected[i], kTolerance) << "element " << i;
}

TEST(VectorMath, AddSubtractAndLength) {
    EXPECT_EQ(add<2>({1, 2}, {3, 4}), (Vec2{4, 6}));
    EXPECT_EQ(subtract<3>({5, 5, 5}, {1, 2, 3}), (Vec3{4, 3, 2})) << "a - b, not b - a";
    EXPECT_EQ(add<4>({1, 2, 3, 4}, {-1, -2, -3, -4}), (Vec4{0, 0, 0, 0}));
    EXPECT_FLOAT_EQ(length<2>({3, 4}), 5.0f);
    EXPECT_FLOAT_EQ(length<3>({2, -3, 6}), 7.0f);
}

TEST(VectorMath, SafeNormalizeGivesZeroForTinyVectors) {
    const Vec2 unit = safe_normalize<2>({3, 4});
    EXPECT_FLOAT_EQ(unit[0], 0.6f);
    EXPECT_FLOAT_EQ(unit[1], 0.8f);
    EXPECT_EQ(safe_normalize<2>({0, 0}), (Vec2{0, 0}));
    EXPECT_EQ(safe_normalize<3>({kNormalizeEpsilon, 0, 0}), (Vec3{0, 0, 0}))
        << "a length of exactly 2^-16 still counts as zero";
    const Vec3 small = safe_normalize<3>({0, 0, 2 * kNormalizeEpsilon});
    EXPECT_FLOAT_EQ(small[2], 1.0f) << "just above the limit normalises";
}

TEST(VectorMath, HamiltonProductOfBasisQuaternions) {
    const Quaternion i = {1, 0, 0, 0}, j = {0, 1, 0, 0}, k = {0, 0, 1, 0};
    expect_near(multiply(i, j), k);
    expect_near(multiply(j, i), {0, 0, -1, 0});
    expect_near(multiply(j, k), i);
    expect_near(multiply(k, i), j);
    expect_near(multiply(i, i), {0, 0, 0, -1});
    expect_near(multiply(kIdentityQuaternion, {0.1f, 0.2f, 0.3f, 0.4f}), {0.1f, 0.2f, 0.3f, 0.4f});
}

TEST(VectorMath, QuarterTurnsFollowTheRightHandRule) {
    const float h = std::sqrt(0.5f);
    const Quaternion about_z = {0, 0, h, h};
    expect_near(rotate(about_z, {1, 0, 0}), {0, 1, 0});
    expect_near(forward_vector(about_z), {-1, 0, 0});
    const Quaternion about_x = {h, 0, 0, h};
    expect_near(forward_vector(about_x), {0, 0, 1});
    expect_near(up_vector(about_x), {0, -1, 0});
    const Quaternion about_y = {0, h, 0, h};
    expect_near(right_vector(about_y), {0, 0, -1});
    expect_near(forward_vector(kIdentityQuaternion), {0, 1, 0});
}

TEST(VectorMath, RotationScalesWithAnUnnormalisedQuaternion) {
    // Nothing normalises: q v q* with |q|^2 = 4 scales by 4.
    expect_near(rotate({0, 0, 0, 2}, {1, 2, 3}), {4, 8, 12});
}

TEST(VectorMath, EulerRotationsApplyYThenXThenZ) {
    expect_near(quaternion_from_euler(0.25f, 0, 0), {0, 0, std::sqrt(0.5f), std::sqrt(0.5f)});
    expect_near(forward_vector(quaternion_from_euler(0.25f, 0, 0)), {-1, 0, 0});
    // Right turns about y to -z first, then about x to +y; the other order would leave -z.
    expect_near(right_vector(quaternion_from_euler(0, 0.25f, 0.25f)), {0, 1, 0});
    // Forward turns about x to +z first, then about z it stays; z first would give -x.
    expect_near(forward_vector(quaternion_from_euler(0.25f, 0.25f, 0)), {0, 0, 1});
    expect_near(quaternion_from_euler(0.5f, 0, 0), {0, 0, 1, 0});
}

TEST(VectorMath, ProductRotatesByTheRightOperandFirst) {
    const Quaternion yaw = quaternion_from_euler(0.25f, 0, 0);
    const Quaternion pitch = quaternion_from_euler(0, 0.25f, 0);
    const Vec3 v = {0.3f, -0.5f, 0.7f};
    expect_near(rotate(multiply(yaw, pitch), v), rotate(yaw, rotate(pitch, v)));
    expect_near(rotate(multiply(pitch, yaw), v), rotate(pitch, rotate(yaw, v)));
}

TEST(VectorMath, RotationMatrixMatchesRotate) {
    const Quaternion q = quaternion_from_euler(0.1f, -0.2f, 0.37f);
    const Matrix3 m = rotation_matrix(q);
    const Vec3 axes[] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (int column = 0; column < 3; ++column) {
        const Vec3 expected = rotate(q, axes[column]);
        for (int row = 0; row < 3; ++row)
            EXPECT_NEAR(m[row * 3 + column], expected[row], kTolerance) << row << "," << column;
    }
}

TEST(VectorMath, TurnConversions) {
    EXPECT_FLOAT_EQ(degrees_to_turns(90), 0.25f);
    EXPECT_NEAR(radians_to_turns(3.14159265f), 0.5f, kTolerance);
    EXPECT_NEAR(turns_to_radians(0.5f), 3.14159265f, kTolerance);
    EXPECT_FLOAT_EQ(turns_to_degrees(0.25f), 90.0f);
    EXPECT_NEAR(radians_to_degrees(3.14159265f), 180.0f, 1e-4f);
    EXPECT_NEAR(degrees_to_radians(180), 3.14159265f, kTolerance);
}

TEST(VectorMath, NormalizedTurnsStayInsideOneTurn) {
    EXPECT_FLOAT_EQ(normalize_turns(-0.25f), 0.75f);
    EXPECT_FLOAT_EQ(normalize_turns(1.0f), 0.0f);
    EXPECT_FLOAT_EQ(normalize_turns(2.625f), 0.625f);
    EXPECT_FLOAT_EQ(normalize_turns(0.0f), 0.0f);
    const float tiny = normalize_turns(-1e-9f);
    EXPECT_GE(tiny, 0.0f);
    EXPECT_LT(tiny, 1.0f) << "a tiny negative rotation must not round up to a full turn";
}

}  // namespace
}  // namespace tarn
