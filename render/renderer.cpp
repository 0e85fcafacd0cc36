#include "render/renderer.hpp"

#include <GL/glew.h>

#include "core/fatal.hpp"
#include "core/message.hpp"

namespace tarn {

namespace {

constexpr RenderState kState2d = {GL_ONE, GL_ONE_MINUS_SRC_ALPHA, 0};
constexpr RenderState kState3d = {GL_ONE, GL_ZERO, 0x19};
constexpr RenderState kStateClear = {GL_ONE, GL_ZERO, 0x08};
// What GL has after the defaults below: blending off, depth test GL_LESS with writes, no culling.
constexpr RenderState kGlDefaults = {GL_ONE, GL_ZERO, 0x09};
// Colour, depth, stencil and accumulation buffers.
constexpr GLbitfield kClearMask = 0x4700;

void apply_gl_defaults() {
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glDisable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    glShadeModel(GL_SMOOTH);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DITHER);
    glDisable(GL_FOG);
    glDisable(GL_LIGHTING);
    glDisable(GL_SCISSOR_TEST);
}

// The shaders of vertices with a position, a colour and one texture coordinate.
bool build_colored_uv_shader(std::uint32_t position_code, ShaderInputs& out) {
    return build_fixed_shader({{"gl_Vertex", position_code},
                               {"gl_Color", element_code::kColor4ub},
                               {"gl_MultiTexCoord0", element_code::kTexCoord2f}},
                              out);
}

bool framebuffers_supported() {
    return glBindFramebuffer != nullptr && (GLEW_VERSION_3_0 || GLEW_ARB_framebuffer_object);
}

}  // namespace

void Renderer::start_gl() {
    const GLenum error = glewInit();
    if (error != GLEW_OK) {
        fatal_internal_error(message("Can't initialize OpenGL, GLEW %1 error: %2.",
                                     reinterpret_cast<const char*>(glewGetString(GLEW_VERSION)),
                                     reinterpret_cast<const char*>(glewGetErrorString(error))));
    }
}

void Renderer::init_gl() {
    ++context_generation_;
    states_.reset();
    states_.register_state(kState2d);
    states_.register_state(kState3d);
    states_.register_state(kStateClear);
    if (special_maker_ != nullptr)
        special_maker_(*this);
    targets_.mark_window_in_use();
    bound_target_ = 0;
    build_fixed_shaders();
}

void Renderer::build_fixed_shaders() {
    fixed_shaders_ready_ = build_colored_uv_shader(element_code::kPosition2f, fixed_2d_) &&
                           build_colored_uv_shader(element_code::kPosition3f, fixed_3d_);
}

void Renderer::reset_vertex_state() {
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    for (GLenum array : {GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, GL_COLOR_ARRAY, GL_TEXTURE_COORD_ARRAY})
        glDisableClientState(array);
    if (glDisableVertexAttribArray != nullptr) {
        for (GLuint index = 1; index < VertexStreams::kGeneric; ++index)
            glDisableVertexAttribArray(index);
    }
    streams_.clear();
}

void Renderer::reset_after_video_mode() {
    ++context_generation_;
    mode_ = DrawMode::kNone;
    reset_vertex_state();
    textures_.set_multitexture(glActiveTexture != nullptr);
    textures_.unbind_all();
    apply_gl_defaults();
    states_.cache() = kGlDefaults;
    current_state_ = 0;
    batch_.clear_counts();
    batch_.forget_buffers();
    batch_.ensure_memory();
}

void Renderer::set_window_view(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    set_viewport_size(width, height);
}

void Renderer::shutdown() {
    ++context_generation_;
    batch_.clear_counts();
    batch_.release_buffers(streams_);
    batch_.drop_texture();
    white_texture_.reset();
    targets_.release_all();
    bound_target_ = kUnknownTarget;
}

void Renderer::apply_state(int index) {
    apply_render_state(states_.state(index), states_.cache());
    current_state_ = index;
}

void Renderer::set_mode(DrawMode mode) {
    leave_mode();
    streams_.unbind_buffers();
    enter_mode(mode);
}

void Renderer::leave_mode() {
    if (mode_ == DrawMode::kBatch2d) {
        flush_batch();
        batch_.unmap(streams_);
    } else if (mode_ == DrawMode::kMode3d) {
        streams_.bind_shader(nullptr);
        streams_.disable_all_arrays();
    }
    mode_ = DrawMode::kNone;
}

void Renderer::enter_mode(DrawMode mode) {
    if (mode == DrawMode::kBatch2d) {
        apply_state_if_changed(RenderStateTable::k2d);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glLoadIdentity();
        batch_.map(streams_);
        batch_.clear_counts();
    } else if (mode == DrawMode::kMode3d) {
        apply_state_if_changed(RenderStateTable::k3d);
        streams_.disable_all_arrays();
        streams_.bind_shader(nullptr);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glLoadIdentity();
    }
    mode_ = mode;
}

void Renderer::begin_frame() {
    apply_state_if_changed(RenderStateTable::k3d);
    previous_triangles_ = frame_triangles_;
    frame_triangles_ = 0;
    bound_target_ = kUnknownTarget;
    window_binds_ = 0;
}

void Renderer::end_frame() {
    leave_mode();
    streams_.unbind_buffers();
    if (window_binds_ == 0)
        bind_window();
    // The running triangle count lives on until the next begin_frame hands it over.
    batch_breaks_ = 0;
}

void Renderer::bind_window() {
    if (bound_target_ == 0)
        return;
    if (framebuffers_supported())
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (clear_enabled_ && window_binds_ == 0)
        clear_window();
    ++window_binds_;
    bound_target_ = 0;
}

void Renderer::clear_window() {
    apply_state_if_changed(RenderStateTable::kClear);
    glClearColor(clear_color_[0], clear_color_[1], clear_color_[2], clear_color_[3]);
    glClear(kClearMask);
}

BatchVertex* Renderer::add_quad(GpuTexture* texture) {
    if (texture == nullptr || texture->is_null())
        return nullptr;
    if (mode_ != DrawMode::kBatch2d)
        set_mode(DrawMode::kBatch2d);
    if (batch_.must_break_for(texture) && !batch_.empty()) {
        flush_batch();
        ++batch_breaks_;
    }
    return batch_.reserve_quad(texture);
}

void Renderer::flush_batch() {
    if (batch_.empty())
        return;
    if (fixed_shaders_ready_) {
        streams_.bind_shader(&fixed_2d_);
    } else {
        streams_.disable_all_arrays();
        streams_.bind_shader(nullptr);
    }
    textures_.bind(0, batch_.texture());
    batch_.draw(streams_);
    frame_triangles_ += batch_.index_count() / 3;
    batch_.clear_counts();
}

void Renderer::forget_texture(const GpuTexture& texture) {
    // Quads already queued on it are drawn while its GL name still exists.
    if (batch_.texture() == &texture)
        flush_batch();
    textures_.unbind_everywhere(&texture);
    if (batch_.texture() == &texture)
        batch_.drop_texture();
}

}  // namespace tarn
