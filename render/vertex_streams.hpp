#pragma once

#include <GL/glew.h>

#include <array>

#include "render/shader_inputs.hpp"
#include "render/vertex_format.hpp"

namespace tarn {

// What GL reads vertices from: the four fixed-function client arrays, the generic attribute
// arrays 1-3 of custom programs, the current shader and the bound array and element buffers.
// Every change goes through here so that repeated binds cost nothing.
class VertexStreams {
public:
    static constexpr int kFixed = 4;
    static constexpr int kGeneric = 4;  // index 0 unused: generic arrays are 1-3

    void bind_shader(const ShaderInputs* shader);
    const ShaderInputs* current_shader() const { return shader_; }
    // Before a shader goes away: unbinds it when it is the current one.
    void forget_shader(const ShaderInputs& shader) {
        if (shader_ == &shader)
            bind_shader(nullptr);
    }
    // Points the current shader's inputs at the layout's elements in buffer (0: client memory
    // at base) with the given stride.
    void bind_streams(const VertexLayout& layout, GLuint buffer, const void* base, int stride);

    void bind_array_buffer(GLuint buffer, bool from_memory = false);
    void bind_element_buffer(GLuint buffer);
    void unbind_buffers() {
        bind_array_buffer(0);
        bind_element_buffer(0);
    }
    GLuint array_buffer() const { return array_buffer_; }
    GLuint element_buffer() const { return element_buffer_; }

    void disable_fixed_arrays();
    // Disables generic arrays first..last (1-3).
    void disable_generic_arrays(int first, int last);
    void disable_all_arrays() {
        disable_fixed_arrays();
        disable_generic_arrays(1, kGeneric - 1);
    }
    // Disables and forgets every stream reading from the GL buffer (not from client memory).
    void detach_buffer(GLuint buffer);
    // Forgets everything without GL calls (a new context starts from defaults).
    void clear();

    bool fixed_enabled(Semantic semantic) const {
        return fixed_[static_cast<int>(semantic)].enabled;
    }

private:
    struct Stream {
        bool enabled = false;
        GLuint buffer = 0;
        const void* base = nullptr;
        int offset = 0;
        int stride = 0;
    };

    void bind_fixed_streams(const VertexLayout& layout, GLuint buffer, const void* base,
                            int stride);
    void bind_custom_streams(const VertexLayout& layout, GLuint buffer, const void* base,
                             int stride);
    void set_fixed(int semantic, const VertexElement* element, GLuint buffer, const void* base,
                   int stride);
    void set_generic(int index, const VertexElement* element, GLuint buffer, const void* base,
                     int stride);
    void disable_fixed(int semantic);
    void disable_generic(int index);
    // Whether stream already reads this; otherwise records it and binds the buffer.
    bool retarget(Stream& stream, GLuint buffer, const void* base, int offset, int stride);

    std::array<Stream, kFixed> fixed_{};
    std::array<Stream, kGeneric> generic_{};
    const ShaderInputs* shader_ = nullptr;
    GLuint array_buffer_ = 0;
    bool array_from_memory_ = false;
    GLuint element_buffer_ = 0;
};

}  // namespace tarn
