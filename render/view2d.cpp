#include "render/view2d.hpp"

#include <GL/glew.h>

#include "core/platform_state.hpp"
#include "render/renderer.hpp"

namespace tarn {

ClassDescriptor View2d::class_descriptor("View2d", &EngineObject::class_descriptor, nullptr,
                                         nullptr);

namespace {

// The share of the 0.5-second orientation turn still to go, eased in and out: 1 at the start
// of the turn, 0 at its end.
float remaining_turn(float timer) {
    const float f = 1.0f - 2.0f * timer;
    const float eased = f < 0.5f ? 2.0f * f * f : 1.0f - 2.0f * (f - 1.0f) * (f - 1.0f);
    return 1.0f - eased;
}

void rotate_for_orientation(int orientation) {
    if (orientation == 1)
        glRotatef(180.0f, 0.0f, 0.0f, 1.0f);
    else if (orientation == 2)
        glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
    else if (orientation == 3)
        glRotatef(-90.0f, 0.0f, 0.0f, 1.0f);
}

// While the orientation changes between the two sideways ones, the picture turns from half a
// turn back to none.
void rotate_for_transition(const Platform& platform) {
    const int from = platform.previous_orientation;
    const int to = platform.orientation;
    const bool flipped = (from == 2 && to == 3) || (from == 3 && to == 2);
    if (platform.orientation_timer > 0.0f && flipped)
        glRotatef(-180.0f * remaining_turn(platform.orientation_timer), 0.0f, 0.0f, 1.0f);
}

// glViewport of the rectangle (x, y, w, h) in top-down screen pixels of a width x height
// window turned by orientation.
void set_gl_viewport(int orientation, int width, int height, int x, int y, int w, int h) {
    switch (orientation) {
        case 1:
            glViewport(width - x - w, y, w, h);
            break;
        case 2:
            glViewport(y, x, h, w);
            break;
        case 3:
            glViewport(width - y - h, height - x - w, h, w);
            break;
        default:
            glViewport(x, height - y - h, w, h);
            break;
    }
}

}  // namespace

void View2d::set_viewport_size(const Vec2& size) {
    viewport_.size = size;
    invalidate_screen_maps();
}

void View2d::set_viewport_position(const Vec2& position) {
    viewport_.position = position;
    invalidate_screen_maps();
}

// Without a camera position the camera follows the canvas centre, so a new canvas size moves
// it too.
void View2d::set_canvas_size(const Vec2& size) {
    canvas_size_ = size;
    projection_.valid = false;
    inverse_projection_.valid = false;
    if (!camera_set_)
        views_valid_ = false;
}

void View2d::set_camera_position(const Vec2& position) {
    camera_position_ = position;
    camera_set_ = true;
    views_valid_ = false;
}

void View2d::fit_viewport_to_screen(float screen_width, float screen_height) {
    viewport_.fit_to_screen(screen_width, screen_height);
    invalidate_screen_maps();
}

void View2d::center_viewport_on_screen(float screen_width, float screen_height) {
    viewport_.center_on_screen(screen_width, screen_height);
    invalidate_screen_maps();
}

Vec2 View2d::screen_to_canvas(const Vec2& point) {
    Vec3 p = transform_point(screen_to_clip(), {point[0], point[1], 0.0f});
    p = transform_point(inverse_view(), transform_point(inverse_projection(), p));
    return {p[0], p[1]};
}

Vec2 View2d::canvas_to_screen(const Vec2& point) {
    Vec3 p = transform_point(view(), {point[0], point[1], 0.0f});
    p = transform_point(clip_to_screen(), transform_point(projection(), p));
    return {p[0], p[1]};
}

void View2d::apply(Renderer& renderer, int width, int height, bool use_orientation, bool enter_2d) {
    if (enter_2d)
        renderer.set_mode(DrawMode::kBatch2d);
    const Platform& platform = platform_state();
    const int orientation = use_orientation ? platform.orientation : 0;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    rotate_for_orientation(orientation);
    glScalef(1.0f, -1.0f, 1.0f);
    glMultMatrixf(projection().data());
    if (use_orientation)
        rotate_for_transition(platform);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(view().data());
    const int x = to_whole_pixels(viewport_.position[0]);
    const int y = to_whole_pixels(viewport_.position[1]);
    const int w = to_whole_pixels(viewport_.size[0]);
    const int h = to_whole_pixels(viewport_.size[1]);
    renderer.set_viewport_size(w, h);
    renderer.set_canvas_size(canvas_size_[0], canvas_size_[1]);
    set_gl_viewport(orientation, width, height, x, y, w, h);
}

// An orthographic box of the canvas size around the origin; z keeps the sign of the depth.
const Matrix4& View2d::projection() {
    if (!projection_.valid) {
        const float depth = far_ - near_;
        projection_.matrix =
            scale_offset_matrix({2.0f / canvas_size_[0], 2.0f / canvas_size_[1], 2.0f / depth},
                                {0.0f, 0.0f, -(far_ + near_) / depth});
        projection_.valid = true;
    }
    return projection_.matrix;
}

const Matrix4& View2d::inverse_projection() {
    if (!inverse_projection_.valid) {
        inverse_projection_.matrix = scale_offset_matrix(
            {canvas_size_[0] / 2.0f, canvas_size_[1] / 2.0f, (far_ - near_) / 2.0f},
            {0.0f, 0.0f, (far_ + near_) / 2.0f});
        inverse_projection_.valid = true;
    }
    return inverse_projection_.matrix;
}

const Matrix4& View2d::view() {
    build_views();
    return view_;
}

const Matrix4& View2d::inverse_view() {
    build_views();
    return inverse_view_;
}

void View2d::build_views() {
    if (views_valid_)
        return;
    const Vec2 at = camera();
    view_ = translation_matrix({-at[0], -at[1], 0.0f});
    inverse_view_ = translation_matrix({at[0], at[1], 0.0f});
    views_valid_ = true;
}

Vec2 View2d::camera() const {
    return camera_set_ ? camera_position_ : Vec2{canvas_size_[0] / 2.0f, canvas_size_[1] / 2.0f};
}

// Screen pixels to clip space without flipping y: the projection's own flip is applied by
// apply() on the GL side only.
const Matrix4& View2d::screen_to_clip() {
    if (!screen_to_clip_.valid) {
        const Vec2& p = viewport_.position;
        const Vec2& s = viewport_.size;
        screen_to_clip_.matrix =
            scale_offset_matrix({2.0f / s[0], 2.0f / s[1], 1.0f},
                                {-2.0f * p[0] / s[0] - 1.0f, -2.0f * p[1] / s[1] - 1.0f, 0.0f});
        screen_to_clip_.valid = true;
    }
    return screen_to_clip_.matrix;
}

const Matrix4& View2d::clip_to_screen() {
    if (!clip_to_screen_.valid) {
        const Vec2& p = viewport_.position;
        const Vec2& s = viewport_.size;
        clip_to_screen_.matrix = scale_offset_matrix(
            {s[0] / 2.0f, s[1] / 2.0f, 1.0f}, {p[0] + s[0] / 2.0f, p[1] + s[1] / 2.0f, 0.0f});
        clip_to_screen_.valid = true;
    }
    return clip_to_screen_.matrix;
}

void View2d::invalidate_screen_maps() {
    screen_to_clip_.valid = false;
    clip_to_screen_.valid = false;
}

}  // namespace tarn
