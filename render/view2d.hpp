#pragma once

#include "render/matrix4.hpp"
#include "render/viewport_rect.hpp"
#include "script/engine_object.hpp"

namespace tarn {

class Renderer;

// Maps a 2D canvas (the game's virtual resolution) onto a viewport of the window through a
// camera position. Screen and canvas coordinates both grow downward; the camera position is the
// canvas point at the viewport centre (the canvas centre until one is set). Matrices are built
// lazily from the fields; a view whose viewport or canvas size is 0 yields non-finite values.
class View2d : public EngineObject {
public:
    static ClassDescriptor class_descriptor;

    const ClassDescriptor& descriptor() const override { return class_descriptor; }

    void set_viewport_size(const Vec2& size);
    void set_viewport_position(const Vec2& position);
    // Also the virtual resolution.
    void set_canvas_size(const Vec2& size);
    void set_camera_position(const Vec2& position);
    // Scales the viewport to fit a screen of the given size, keeping its aspect ratio, and
    // centres it.
    void fit_viewport_to_screen(float screen_width, float screen_height);
    void center_viewport_on_screen(float screen_width, float screen_height);

    Vec2 screen_to_canvas(const Vec2& point);
    Vec2 canvas_to_screen(const Vec2& point);

    // Loads the projection, view and viewport into GL for a physical window of width x height,
    // turned by the platform orientation when use_orientation is set.
    void apply(Renderer& renderer, int width, int height, bool use_orientation, bool enter_2d);

    const Vec2& viewport_position() const { return viewport_.position; }
    const Vec2& viewport_size() const { return viewport_.size; }
    const Vec2& canvas_size() const { return canvas_size_; }

    const Matrix4& projection();
    const Matrix4& view();

private:
    struct Cached {
        Matrix4 matrix = identity_matrix();
        bool valid = false;
    };

    void invalidate_screen_maps();
    const Matrix4& inverse_projection();
    const Matrix4& inverse_view();
    const Matrix4& screen_to_clip();
    const Matrix4& clip_to_screen();
    void build_views();
    Vec2 camera() const;

    ViewportRect viewport_;
    Vec2 canvas_size_ = {0.0f, 0.0f};
    bool camera_set_ = false;
    Vec2 camera_position_ = {0.0f, 0.0f};
    float near_ = -1.0f;
    float far_ = 1.0f;
    Cached projection_;
    Cached inverse_projection_;
    Matrix4 view_ = identity_matrix();
    Matrix4 inverse_view_ = identity_matrix();
    bool views_valid_ = false;
    Cached screen_to_clip_;
    Cached clip_to_screen_;
};

}  // namespace tarn
