#include "render/glsl.hpp"

#include <algorithm>
#include <vector>

#include "core/log.hpp"

namespace tarn {

namespace {

// Longest part of an info log that is logged.
constexpr int kMaxInfoLog = 8191;

// The object's info log, when it has one, without the line ends it finishes with.
void log_info_log(GLhandleARB object) {
    SharedString text;
    text.resize(kMaxInfoLog);
    GLsizei length = 0;
    glGetInfoLogARB(object, kMaxInfoLog + 1, &length, text.mutable_data());
    length = std::clamp(length, 0, kMaxInfoLog);
    while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r'))
        --length;
    text.resize(length);
    if (!text.empty())
        log_message(text);
}

GLint parameter(GLhandleARB object, GLenum name) {
    GLint value = 0;
    glGetObjectParameterivARB(object, name, &value);
    return value;
}

}  // namespace

GlslObject& GlslObject::operator=(GlslObject&& other) noexcept {
    if (this != &other) {
        reset();
        handle_ = other.release();
    }
    return *this;
}

GLhandleARB GlslObject::release() {
    const GLhandleARB handle = handle_;
    handle_ = 0;
    return handle;
}

void GlslObject::reset() {
    delete_glsl(release());
}

void delete_glsl(GLhandleARB object) {
    if (object != 0)
        glDeleteObjectARB(object);
}

GlslObject compile_glsl(std::span<const SharedString> sources, bool is_vertex) {
    // Without the extension (or a context) no object can be made.
    GlslObject shader(
        glCreateShaderObjectARB == nullptr
            ? 0
            : glCreateShaderObjectARB(is_vertex ? GL_VERTEX_SHADER_ARB : GL_FRAGMENT_SHADER_ARB));
    if (!shader) {
        log_message("Can't create GLSL shader object.");
        return {};
    }
    std::vector<const GLcharARB*> texts;
    std::vector<GLint> lengths;
    for (const SharedString& source : sources) {
        texts.push_back(source.data());
        lengths.push_back(source.length());
    }
    glShaderSourceARB(shader.get(), static_cast<GLsizei>(texts.size()), texts.data(),
                      lengths.data());
    glCompileShaderARB(shader.get());
    if (parameter(shader.get(), GL_OBJECT_COMPILE_STATUS_ARB) == GL_FALSE) {
        log_message("Can't compile GLSL shader object:");
        log_info_log(shader.get());
        return {};
    }
    return shader;
}

GlslObject link_glsl(std::span<const ShaderStream> streams, GlslObject vertex, GlslObject pixel) {
    GlslObject program(glCreateProgramObjectARB == nullptr ? 0 : glCreateProgramObjectARB());
    if (!program) {
        log_message("Can't create GLSL program object.");
        return {};
    }
    glAttachObjectARB(program.get(), pixel.get());
    glAttachObjectARB(program.get(), vertex.get());
    for (std::size_t i = 1; i < streams.size(); ++i)
        glBindAttribLocationARB(program.get(), static_cast<GLuint>(i), streams[i].attribute.data());
    glLinkProgramARB(program.get());
    const bool linked = parameter(program.get(), GL_OBJECT_LINK_STATUS_ARB) != GL_FALSE;
    if (!linked)
        log_message("Can't link GLSL program:");
    log_info_log(program.get());
    return linked ? std::move(program) : GlslObject();
}

CurrentProgramScope::CurrentProgramScope(GLhandleARB program)
    : program_(program), previous_(glGetHandleARB(GL_PROGRAM_OBJECT_ARB)) {
    glUseProgramObjectARB(program_);
}

CurrentProgramScope::~CurrentProgramScope() {
    glUseProgramObjectARB(previous_);
}

GLint CurrentProgramScope::uniform_location(const char* name) const {
    return glGetUniformLocationARB(program_, name);
}

void CurrentProgramScope::set_sampler_unit(GLint location, int unit) const {
    glUniform1iARB(location, unit);
}

}  // namespace tarn
