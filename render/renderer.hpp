#pragma once

#include <array>
#include <cstdint>

namespace tarn {

// The one OpenGL drawing context: frame begin and end, the once-per-frame clear of the window
// and the triangle counters.
class Renderer {
public:
    // After the GL context exists.
    void init_gl();
    // After every successful video-mode change: the new context starts from GL's defaults.
    void reset_after_video_mode();
    void shutdown();

    void begin_frame();
    // Flushes what is pending and makes sure the window was bound (and so cleared) this frame.
    void end_frame();
    // Binds the window as the drawing target; the first binding of a frame clears it when
    // clearing is enabled.
    void bind_window();

    void set_clear_enabled(bool enabled) { clear_enabled_ = enabled; }
    bool clear_enabled() const { return clear_enabled_; }
    void set_clear_color(const std::array<float, 4>& color) { clear_color_ = color; }
    const std::array<float, 4>& clear_color() const { return clear_color_; }

    // Triangles drawn during the previous frame: the running count is taken over and restarted
    // at each begin_frame.
    std::int64_t previous_frame_triangles() const { return previous_triangles_; }
    void count_triangles(std::int64_t triangles) { frame_triangles_ += triangles; }

private:
    static constexpr int kUnknownTarget = -1;

    void clear_window();

    bool clear_enabled_ = false;
    std::array<float, 4> clear_color_ = {0.0f, 0.0f, 0.0f, 1.0f};
    int bound_target_ = kUnknownTarget;
    int window_binds_ = 0;
    std::int64_t frame_triangles_ = 0;
    std::int64_t previous_triangles_ = 0;
    std::int64_t batch_breaks_ = 0;
};

}  // namespace tarn
