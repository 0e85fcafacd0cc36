#include "render/vertex_streams.hpp"

#include <cstdint>

namespace tarn {

namespace {

constexpr GLenum kFixedArrays[VertexStreams::kFixed] = {GL_VERTEX_ARRAY, GL_NORMAL_ARRAY,
                                                        GL_COLOR_ARRAY, GL_TEXTURE_COORD_ARRAY};

const void* pointer_at(const void* base, int offset) {
    return static_cast<const std::uint8_t*>(base) + offset;
}

void fixed_pointer(int semantic, std::uint32_t code, int stride, const void* pointer) {
    const GLint count = element_code::count(code);
    const GLenum type = element_code::gl_type(code);
    switch (semantic) {
        case 0:
            glVertexPointer(count, type, stride, pointer);
            break;
        case 1:
            glNormalPointer(type, stride, pointer);
            break;
        case 2:
            glColorPointer(count, type, stride, pointer);
            break;
        default:
            glTexCoordPointer(count, type, stride, pointer);
            break;
    }
}

}  // namespace

void VertexStreams::bind_shader(const ShaderInputs* shader) {
    const bool was_custom = shader_ != nullptr && shader_->kind == ShaderInputs::kCustom;
    if (shader == nullptr || shader->kind != ShaderInputs::kCustom) {
        if (was_custom) {
            disable_generic_arrays(1, shader_->stream_count - 1);
            glUseProgram(0);
        }
    } else if (!was_custom || shader_->program != shader->program) {
        if (!was_custom)
            disable_fixed_arrays();
        glUseProgram(shader->program);
    }
    shader_ = shader;
}

void VertexStreams::bind_streams(const VertexLayout& layout, GLuint buffer, const void* base,
                                 int stride) {
    if (shader_ != nullptr && shader_->kind == ShaderInputs::kCustom)
        bind_custom_streams(layout, buffer, base, stride);
    else if (shader_ != nullptr)
        bind_fixed_streams(layout, buffer, base, stride);
}

void VertexStreams::bind_fixed_streams(const VertexLayout& layout, GLuint buffer, const void* base,
                                       int stride) {
    std::array<const VertexElement*, kFixed> by_semantic{};
    for (int i = 0; i < shader_->stream_count; ++i) {
        const VertexElement* element = layout.find(shader_->streams[i].format);
        const int semantic = element_code::semantic(shader_->streams[i].format);
        if (element != nullptr && semantic < kFixed)
            by_semantic[semantic] = element;
    }
    for (int semantic = 0; semantic < kFixed; ++semantic)
        set_fixed(semantic, by_semantic[semantic], buffer, base, stride);
}

void VertexStreams::bind_custom_streams(const VertexLayout& layout, GLuint buffer, const void* base,
                                        int stride) {
    set_fixed(0, layout.find(shader_->streams[0].format), buffer, base, stride);
    for (int i = 1; i < kGeneric; ++i) {
        const VertexElement* element =
            i < shader_->stream_count ? layout.find(shader_->streams[i].format) : nullptr;
        set_generic(i, element, buffer, base, stride);
    }
}

bool VertexStreams::retarget(Stream& stream, GLuint buffer, const void* base, int offset,
                             int stride) {
    if (stream.buffer == buffer && stream.base == base && stream.offset == offset &&
        stream.stride == stride)
        return true;
    stream.buffer = buffer;
    stream.base = base;
    stream.offset = offset;
    stream.stride = stride;
    bind_array_buffer(buffer);
    return false;
}

void VertexStreams::set_fixed(int semantic, const VertexElement* element, GLuint buffer,
                              const void* base, int stride) {
    Stream& stream = fixed_[semantic];
    if (element == nullptr) {
        disable_fixed(semantic);
        return;
    }
    if (!stream.enabled) {
        glEnableClientState(kFixedArrays[semantic]);
        stream.enabled = true;
    }
    if (!retarget(stream, buffer, base, element->offset, stride))
        fixed_pointer(semantic, element->code, stride, pointer_at(base, element->offset));
}

void VertexStreams::set_generic(int index, const VertexElement* element, GLuint buffer,
                                const void* base, int stride) {
    Stream& stream = generic_[index];
    if (element == nullptr) {
        disable_generic(index);
        return;
    }
    if (!stream.enabled) {
        glEnableVertexAttribArray(index);
        stream.enabled = true;
    }
    if (!retarget(stream, buffer, base, element->offset, stride)) {
        glVertexAttribPointer(index, element_code::count(element->code),
                              element_code::gl_type(element->code),
                              element_code::normalized(element->code) ? GL_TRUE : GL_FALSE, stride,
                              pointer_at(base, element->offset));
    }
}

void VertexStreams::disable_fixed(int semantic) {
    Stream& stream = fixed_[semantic];
    if (stream.enabled)
        glDisableClientState(kFixedArrays[semantic]);
    stream = Stream{};
}

void VertexStreams::disable_generic(int index) {
    Stream& stream = generic_[index];
    if (stream.enabled)
        glDisableVertexAttribArray(index);
    stream = Stream{};
}

void VertexStreams::disable_fixed_arrays() {
    for (int semantic = 0; semantic < kFixed; ++semantic)
        disable_fixed(semantic);
}

void VertexStreams::disable_generic_arrays(int first, int last) {
    for (int index = first; index <= last && index < kGeneric; ++index)
        disable_generic(index);
}

void VertexStreams::bind_array_buffer(GLuint buffer, bool from_memory) {
    if (buffer != array_buffer_)
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
    array_buffer_ = buffer;
    array_from_memory_ = from_memory;
}

void VertexStreams::bind_element_buffer(GLuint buffer) {
    if (buffer != element_buffer_)
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffer);
    element_buffer_ = buffer;
}

void VertexStreams::detach_buffer(GLuint buffer) {
    if (buffer == 0)
        return;
    for (int semantic = 0; semantic < kFixed; ++semantic) {
        if (fixed_[semantic].enabled && fixed_[semantic].buffer == buffer)
            disable_fixed(semantic);
    }
    for (int index = 1; index < kGeneric; ++index) {
        if (generic_[index].enabled && generic_[index].buffer == buffer)
            disable_generic(index);
    }
    if (array_buffer_ == buffer)
        bind_array_buffer(0);
}

void VertexStreams::clear() {
    fixed_ = {};
    generic_ = {};
    shader_ = nullptr;
    array_buffer_ = 0;
    array_from_memory_ = false;
    element_buffer_ = 0;
}

}  // namespace tarn
