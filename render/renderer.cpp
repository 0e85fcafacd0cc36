#include "render/renderer.hpp"

#include <GL/glew.h>

namespace tarn {

void Renderer::init_gl() {
    bound_target_ = 0;
}

void Renderer::reset_after_video_mode() {
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBlendFunc(GL_ONE, GL_ZERO);
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

void Renderer::shutdown() {
    bound_target_ = kUnknownTarget;
}

void Renderer::begin_frame() {
    previous_triangles_ = frame_triangles_;
    frame_triangles_ = 0;
    bound_target_ = kUnknownTarget;
    window_binds_ = 0;
}

void Renderer::end_frame() {
    if (window_binds_ == 0)
        bind_window();
    batch_breaks_ = 0;
}

void Renderer::bind_window() {
    if (bound_target_ == 0)
        return;
    if (GLEW_VERSION_3_0 || GLEW_ARB_framebuffer_object)
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (clear_enabled_ && window_binds_ == 0)
        clear_window();
    ++window_binds_;
    bound_target_ = 0;
}

void Renderer::clear_window() {
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    glClearColor(clear_color_[0], clear_color_[1], clear_color_[2], clear_color_[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

}  // namespace tarn
