#include "render/camera.hpp"
#include "ui/ui_root.hpp"
#include "ui/ui_widget.hpp"

namespace tarn {

namespace {

// UI units to the canvas plane's local space: x right, y down the screen (local -z), one unit
// per pixel at the pivot's depth; the pivot sits at the local origin.
Matrix4 canvas_scaling(float sx, float sy, const Vec2& pivot) {
    return {sx,
            0.0f,
            0.0f,
            0.0f,  //
            0.0f,
            0.0f,
            -sy,
            0.0f,  //
            0.0f,
            (sx + sy) / 2.0f,
            0.0f,
            0.0f,  //
            -sx * pivot[0],
            0.0f,
            sy * pivot[1],
            1.0f};
}

}  // namespace

void UI::setup_canvas_2d(const Vec2& position, const Vec2& pivot, const Quaternion& rotation) {
    Camera* camera = camera_.get();
    if (camera == nullptr)
        return;
    for (const InstanceRef<UIWidget>& widget : widgets_)
        widget->invalidate_transform();
    const Vec2& viewport = camera->viewport().position;
    const Vec2 screen = {position[0] + viewport[0] + pivot[0],
                         position[1] + viewport[1] + pivot[1]};
    const float depth = (camera->near_plane() + camera->far_plane()) / 2.0f;
    const Vec3 eye = camera->screen_to_eye(screen, depth);
    const Vec3 anchor = add(camera->position(), rotate(camera->orientation(), eye));
    const Quaternion orientation = multiply(rotation, camera->orientation());
    const Matrix4 scaling =
        canvas_scaling(camera->pixel_size_x(anchor), camera->pixel_size_y(anchor), pivot);
    canvas_ = multiply(camera->view_matrix(), multiply(pose_matrix(anchor, orientation), scaling));
}

}  // namespace tarn
