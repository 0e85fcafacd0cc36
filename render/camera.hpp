#pragma once

#include "render/matrix4.hpp"
#include "render/viewport_rect.hpp"
#include "script/engine_object.hpp"

namespace tarn {

class Renderer;

// A ray in world or camera space; the direction is normalised in world space only.
struct CameraRay {
    Vec3 origin;
    Vec3 direction;
};

// A 3D view: a viewport on the window, a perspective (or orthographic) projection from field of
// view angles in turns and near and far planes, and a pose in the world. Camera space has x to
// the right, y forward (the viewing direction) and z up, as the world does; the orientation
// rotates camera-space vectors into the world. Matrices are built lazily from the fields.
class Camera : public EngineObject {
public:
    static ClassDescriptor class_descriptor;

    const ClassDescriptor& descriptor() const override { return class_descriptor; }

    void set_viewport_position(const Vec2& position);
    void set_viewport_size(const Vec2& size);
    void fit_viewport_to_screen(float screen_width, float screen_height);
    void set_canvas_size(const Vec2& size);
    // Full angles in turns; an angle of 0 or less follows from the other and the viewport's
    // aspect ratio.
    void set_fov_angles(const Vec2& angles);
    void set_near_plane(float value);
    void set_far_plane(float value);
    void set_position(const Vec3& position);
    // Taken as given, without normalisation.
    void set_orientation(const Quaternion& orientation);
    // No script sets this: non-zero makes the projection orthographic over the canvas size.
    void set_orthographic(int orthographic);

    const ViewportRect& viewport() const { return viewport_; }
    Vec2 fov_angles() const { return {horizontal_fov_, vertical_fov_}; }
    float near_plane() const { return near_; }
    float far_plane() const { return far_; }
    const Vec3& position() const { return position_; }
    const Quaternion& orientation() const { return orientation_; }

    const Matrix4& projection();
    // World to camera space, and its inverse, camera to world.
    const Matrix4& view_matrix();
    const Matrix4& camera_matrix();

    // Window pixels (top-down) to clip coordinates over the viewport.
    const Matrix4& screen_to_clip();
    // The projection's scale across and up: tan of the half angles, or half the canvas size
    // when orthographic.
    const Vec2& projection_scale() {
        projection();
        return projection_scale_;
    }

    // The camera-space point under a screen point at a forward distance.
    Vec3 screen_to_eye(const Vec2& point, float distance);
    // The ray through a clip-space point, from the near plane; in camera space when eye_space.
    CameraRay ray(const Vec2& clip_point, bool eye_space);
    // World units one screen pixel covers at a world point, across and up.
    float pixel_size_x(const Vec3& point);
    float pixel_size_y(const Vec3& point);

    // Loads the projection and viewport into GL for a window height pixels tall and switches
    // the renderer to 3D drawing.
    void apply(Renderer& renderer, int height);

private:
    void build_views();
    float depth_of(const Vec3& point);

    ViewportRect viewport_;
    Vec3 position_ = {0.0f, 0.0f, 0.0f};
    Quaternion orientation_ = kIdentityQuaternion;
    int orthographic_ = 0;
    Vec2 canvas_size_ = {0.0f, 0.0f};
    float horizontal_fov_ = 1.0f / 6.0f;
    float vertical_fov_ = 1.0f / 6.0f;
    float near_ = 0.1f;
    float far_ = 1000.0f;
    Matrix4 projection_ = identity_matrix();
    Vec2 projection_scale_ = {0.0f, 0.0f};
    bool projection_valid_ = false;
    Matrix4 view_ = identity_matrix();
    Matrix4 camera_ = identity_matrix();
    bool view_valid_ = false;
    Matrix4 screen_to_clip_ = identity_matrix();
    bool screen_to_clip_valid_ = false;
};

}  // namespace tarn
