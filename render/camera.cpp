#include "render/camera.hpp"

#include <GL/glew.h>

#include <cmath>
#include <numbers>

#include "render/renderer.hpp"

namespace tarn {

ClassDescriptor Camera::class_descriptor("Camera", &EngineObject::class_descriptor, nullptr,
                                         nullptr);

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// Camera space (x right, y forward, z up) to GL eye space (x right, y up, z backward).
constexpr Matrix4 kCameraToEye = {1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1};

Matrix4 perspective(float h, float v, float n, float f) {
    Matrix4 m{};
    m[0] = 1.0f / std::tan(kPi * h);
    m[5] = 1.0f / std::tan(kPi * v);
    m[10] = -(f + n) / (f - n);
    m[11] = -1.0f;
    m[14] = -2.0f * f * n / (f - n);
    return m;
}

Matrix4 orthographic(const Vec2& canvas, float n, float f) {
    return scale_offset_matrix({2.0f / canvas[0], 2.0f / canvas[1], -2.0f / (f - n)},
                               {0.0f, 0.0f, -(f + n) / (f - n)});
}

// The full angle whose half has tangent tan(pi * angle) * ratio.
float scaled_angle(float angle, float ratio) {
    return std::atan(std::tan(kPi * angle) * ratio) / kPi;
}

}  // namespace

void Camera::set_viewport_position(const Vec2& position) {
    viewport_.position = position;
    screen_to_clip_valid_ = false;
}

void Camera::set_viewport_size(const Vec2& size) {
    viewport_.size = size;
    screen_to_clip_valid_ = false;
}

void Camera::fit_viewport_to_screen(float screen_width, float screen_height) {
    viewport_.fit_to_screen(screen_width, screen_height);
    screen_to_clip_valid_ = false;
}

void Camera::set_canvas_size(const Vec2& size) {
    canvas_size_ = size;
    if (orthographic_ != 0)
        projection_valid_ = false;
}

void Camera::set_fov_angles(const Vec2& angles) {
    const Vec2& size = viewport_.size;
    float h = angles[0];
    float v = angles[1];
    if (v <= 0.0f)
        v = scaled_angle(h, size[1] / size[0]);
    if (h <= 0.0f)
        h = scaled_angle(v, size[0] / size[1]);
    horizontal_fov_ = h;
    vertical_fov_ = v;
    if (orthographic_ == 0)
        projection_valid_ = false;
}

void Camera::set_near_plane(float value) {
    near_ = value;
    projection_valid_ = false;
}

void Camera::set_far_plane(float value) {
    far_ = value;
    projection_valid_ = false;
}

void Camera::set_position(const Vec3& position) {
    position_ = position;
    view_valid_ = false;
}

void Camera::set_orientation(const Quaternion& orientation) {
    orientation_ = orientation;
    view_valid_ = false;
}

void Camera::set_orthographic(int orthographic) {
    orthographic_ = orthographic;
    projection_valid_ = false;
}

const Matrix4& Camera::projection() {
    if (!projection_valid_) {
        if (orthographic_ != 0) {
            projection_scale_ = {canvas_size_[0] / 2.0f, canvas_size_[1] / 2.0f};
            projection_ = multiply(orthographic(canvas_size_, near_, far_), kCameraToEye);
        } else {
            projection_scale_ = {std::tan(kPi * horizontal_fov_), std::tan(kPi * vertical_fov_)};
            projection_ =
                multiply(perspective(horizontal_fov_, vertical_fov_, near_, far_), kCameraToEye);
        }
        projection_valid_ = true;
    }
    return projection_;
}

const Matrix4& Camera::view_matrix() {
    build_views();
    return view_;
}

const Matrix4& Camera::camera_matrix() {
    build_views();
    return camera_;
}

void Camera::build_views() {
    if (view_valid_)
        return;
    camera_ = pose_matrix(position_, orientation_);
    view_ = affine_inverse(camera_);
    view_valid_ = true;
}

// Screen-up is clip +y, which the axis change makes camera +z.
const Matrix4& Camera::screen_to_clip() {
    if (!screen_to_clip_valid_) {
        const Vec2& p = viewport_.position;
        const Vec2& s = viewport_.size;
        screen_to_clip_ =
            scale_offset_matrix({2.0f / s[0], -2.0f / s[1], 1.0f},
                                {-2.0f * p[0] / s[0] - 1.0f, 2.0f * p[1] / s[1] + 1.0f, 0.0f});
        screen_to_clip_valid_ = true;
    }
    return screen_to_clip_;
}

Vec3 Camera::screen_to_eye(const Vec2& point, float distance) {
    const Vec3 clip = transform_point(screen_to_clip(), {point[0], point[1], 0.0f});
    if (orthographic_ != 0)
        return {clip[0] * canvas_size_[0] / 2.0f, distance, clip[1] * canvas_size_[1] / 2.0f};
    return {clip[0] * std::tan(kPi * horizontal_fov_) * distance, distance,
            clip[1] * std::tan(kPi * vertical_fov_) * distance};
}

CameraRay Camera::ray(const Vec2& clip_point, bool eye_space) {
    projection();
    const float x = clip_point[0] * projection_scale_[0];
    const float z = clip_point[1] * projection_scale_[1];
    CameraRay ray;
    if (orthographic_ != 0)
        ray = {{x, near_, z}, {0.0f, 1.0f, 0.0f}};
    else
        ray = {scaled(Vec3{x, 1.0f, z}, near_), {x, 1.0f, z}};
    if (eye_space)
        return ray;
    return {add(position_, rotate(orientation_, ray.origin)),
            safe_normalize(rotate(orientation_, ray.direction))};
}

float Camera::pixel_size_x(const Vec3& point) {
    projection();
    const float size = 2.0f * projection_scale_[0] / viewport_.size[0];
    return orthographic_ != 0 ? size : size * depth_of(point);
}

float Camera::pixel_size_y(const Vec3& point) {
    projection();
    const float size = 2.0f * projection_scale_[1] / viewport_.size[1];
    return orthographic_ != 0 ? size : size * depth_of(point);
}

// The distance of a world point in front of the camera along its viewing direction.
float Camera::depth_of(const Vec3& point) {
    const Vec3 offset = subtract(point, position_);
    const Vec3 forward = forward_vector(orientation_);
    return offset[0] * forward[0] + offset[1] * forward[1] + offset[2] * forward[2];
}

// The switch to 3D comes first: it flushes quads still batched for the 2D view, which must be
// drawn with that view's matrices and viewport, not with the camera's.
void Camera::apply(Renderer& renderer, int height) {
    renderer.set_mode(DrawMode::kMode3d);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection().data());
    glMatrixMode(GL_MODELVIEW);
    viewport_.apply_to_window(height);
}

}  // namespace tarn
