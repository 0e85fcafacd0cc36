#pragma once

#include <GL/glew.h>

#include <span>

#include "core/shared_string.hpp"
#include "render/shader_inputs.hpp"

namespace tarn {

// An owned GLSL shader or program object of GL_ARB_shader_objects; 0 holds nothing.
class GlslObject {
public:
    GlslObject() = default;
    explicit GlslObject(GLhandleARB handle) : handle_(handle) {}
    GlslObject(GlslObject&& other) noexcept : handle_(other.release()) {}
    GlslObject& operator=(GlslObject&& other) noexcept;
    ~GlslObject() { reset(); }

    GLhandleARB get() const { return handle_; }
    explicit operator bool() const { return handle_ != 0; }
    // Hands the object over to the caller.
    GLhandleARB release();
    void reset();

private:
    GLhandleARB handle_ = 0;
};

// Compiles sources, in order, as one vertex or fragment shader. On failure logs why (with the
// compiler's log) and gives 0.
GlslObject compile_glsl(std::span<const SharedString> sources, bool is_vertex);

// Links the two shaders into a program, binding attribute location i to streams[i]'s attribute
// for every stream after the first (the position, gl_Vertex). Logs the linker's log; on failure
// gives 0. Both shader objects are deleted either way.
GlslObject link_glsl(std::span<const ShaderStream> streams, GlslObject vertex, GlslObject pixel);

void delete_glsl(GLhandleARB object);

// Makes a program current for the lifetime of the scope, then makes the program that was current
// before current again, for the reads and settings that need the program current.
class CurrentProgramScope {
public:
    explicit CurrentProgramScope(GLhandleARB program);
    ~CurrentProgramScope();
    CurrentProgramScope(const CurrentProgramScope&) = delete;
    CurrentProgramScope& operator=(const CurrentProgramScope&) = delete;

    // The location of the named uniform; negative when the program has no such active uniform.
    GLint uniform_location(const char* name) const;
    // Points a sampler uniform at a texture unit.
    void set_sampler_unit(GLint location, int unit) const;

private:
    GLhandleARB program_;
    GLhandleARB previous_;
};

}  // namespace tarn
