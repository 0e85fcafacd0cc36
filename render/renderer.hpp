#pragma once

#include <array>
#include <cstdint>

#include "render/property_registry.hpp"
#include "render/quad_batch.hpp"
#include "render/render_state.hpp"
#include "render/render_targets.hpp"
#include "render/shader_inputs.hpp"
#include "render/texture_bindings.hpp"
#include "render/vertex_streams.hpp"

namespace tarn {

enum class DrawMode { kNone = 0, kBatch2d = 1, kMode3d = 2 };

// The one OpenGL drawing context. Every GL state change goes through its caches: render states,
// textures per unit, vertex streams and buffers, the current program. 2D quads are batched into
// one draw per texture run; the window is cleared once per frame at its first binding.
class Renderer {
public:
    // Creates the built-in resources the renderer holds ("_white_" and "_null_" textures and
    // sprites) when the GL objects are made; the resource code provides it.
    using SpecialResourcesMaker = void (*)(Renderer&);

    Renderer() = default;
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // Loads the GL entry points of a new context (GLEW); aborts with "Can't initialize OpenGL,
    // GLEW ... error: ..." when that fails.
    static void start_gl();
    // After the GL context exists: the built-in states, special resources, window target and
    // fixed shaders.
    void init_gl();
    // After every successful video-mode change: the new context starts from GL's defaults.
    void reset_after_video_mode();
    // Deletes the batch's GL buffers while the old context is still current, so a mode change
    // that keeps the context (SDL on X11 with the same flags) does not leak them.
    void release_buffers_before_video_mode() { batch_.release_buffers(streams_); }
    // Counts the GL contexts: bumped when a context starts, is replaced or shuts down. GL objects
    // made under an older generation died with their context and must not be deleted.
    std::uint32_t context_generation() const { return context_generation_; }
    // The window's 2D view after a video-mode change: the viewport covers width x height pixels,
    // the projection puts the origin at the top left with y down, the model-view is the identity.
    void set_window_view(int width, int height);
    void shutdown();
    void set_special_resources_maker(SpecialResourcesMaker maker) { special_maker_ = maker; }
    void set_white_texture(GpuTexture* texture) { white_texture_.reset(texture); }
    GpuTexture* white_texture() const { return white_texture_.get(); }

    // Render states: register once, keep the index; apply only on change (apply_state_if_changed).
    int register_state(const RenderState& state) { return states_.register_state(state); }
    void apply_state(int index);
    void apply_state_if_changed(int index) {
        if (index != current_state_)
            apply_state(index);
    }
    int current_state() const { return current_state_; }
    const RenderStateTable& states() const { return states_; }

    void set_mode(DrawMode mode);
    DrawMode mode() const { return mode_; }

    void begin_frame();
    // Flushes what is pending and makes sure the window was bound (and so cleared) this frame.
    void end_frame();
    // Binds the window as the drawing target; the first binding of a frame clears it when
    // clearing is enabled.
    void bind_window();
    int bound_target() const { return bound_target_; }

    // Four vertices of a new quad on texture, for the caller to fill (vertex 0 top-right, 1
    // top-left, 2 bottom-right, 3 bottom-left); null without a texture or with the null texture.
    // Enters 2D batch mode when another mode is active.
    BatchVertex* add_quad(GpuTexture* texture);
    void flush_batch();
    const QuadBatch& batch() const { return batch_; }

    // Texture and stream caches for drawing code outside the batch.
    TextureBindings& textures() { return textures_; }
    void unbind_texture_everywhere(const GpuTexture* texture) {
        textures_.unbind_everywhere(texture);
    }
    // Before a texture loses its GL name or dies: no cache may point at it any more.
    void forget_texture(const GpuTexture& texture);
    void bind_shader(const ShaderInputs* shader) { streams_.bind_shader(shader); }
    void forget_shader(const ShaderInputs& shader) { streams_.forget_shader(shader); }
    void bind_streams(const VertexLayout& layout, GLuint buffer, const void* base, int stride) {
        streams_.bind_streams(layout, buffer, base, stride);
    }
    void detach_buffer(GLuint buffer) { streams_.detach_buffer(buffer); }
    VertexStreams& streams() { return streams_; }
    const ShaderInputs& fixed_shader_2d() const { return fixed_2d_; }
    const ShaderInputs& fixed_shader_3d() const { return fixed_3d_; }

    int find_or_add_property(const char* name) { return properties_.find_or_add(name); }
    SharedString render_property_name(int index) const { return properties_.name(index); }

    void set_clear_enabled(bool enabled) { clear_enabled_ = enabled; }
    bool clear_enabled() const { return clear_enabled_; }
    void set_clear_color(const std::array<float, 4>& color) { clear_color_ = color; }
    const std::array<float, 4>& clear_color() const { return clear_color_; }

    // Triangles drawn during the previous frame: the running count is taken over and restarted
    // at each begin_frame.
    std::int64_t previous_frame_triangles() const { return previous_triangles_; }
    std::int64_t frame_triangles() const { return frame_triangles_; }
    void count_triangles(std::int64_t triangles) { frame_triangles_ += triangles; }
    // Times the batch broke this frame (texture change or full batch) with quads pending.
    int batch_breaks() const { return batch_breaks_; }
    int window_binds() const { return window_binds_; }

    // Pixel sizes for drawing code that needs a pixel scale.
    void set_viewport_size(int width, int height) { viewport_size_ = {width, height}; }
    std::array<int, 2> viewport_size() const { return viewport_size_; }
    void set_canvas_size(float width, float height) { canvas_size_ = {width, height}; }
    std::array<float, 2> canvas_size() const { return canvas_size_; }

private:
    static constexpr int kUnknownTarget = -1;

    void leave_mode();
    void enter_mode(DrawMode mode);
    void clear_window();
    void build_fixed_shaders();
    void reset_vertex_state();

    RenderStateTable states_;
    int current_state_ = 0;
    std::uint32_t context_generation_ = 0;
    DrawMode mode_ = DrawMode::kNone;
    QuadBatch batch_;
    TextureBindings textures_;
    VertexStreams streams_;
    ShaderInputs fixed_2d_;
    ShaderInputs fixed_3d_;
    bool fixed_shaders_ready_ = false;
    RenderTargets targets_;
    PropertyRegistry properties_;
    SpecialResourcesMaker special_maker_ = nullptr;
    ObjectRef<GpuTexture> white_texture_;

    bool clear_enabled_ = false;
    std::array<float, 4> clear_color_ = {0.0f, 0.0f, 0.0f, 1.0f};
    int bound_target_ = kUnknownTarget;
    int window_binds_ = 0;
    std::int64_t frame_triangles_ = 0;
    std::int64_t previous_triangles_ = 0;
    int batch_breaks_ = 0;
    std::array<int, 2> viewport_size_ = {0, 0};
    std::array<float, 2> canvas_size_ = {0.0f, 0.0f};
};

// The engine's drawing context. A process-wide object created at start-up (app/singletons.cpp).
Renderer& renderer();

}  // namespace tarn
