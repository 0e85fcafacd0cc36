#include "render/vertex_buffer.hpp"

#include "render/vertex_streams.hpp"

namespace tarn {

void VertexBuffer::allocate_memory(std::size_t size) {
    memory_ = std::make_unique<std::byte[]>(size);
    kind_ = kMemory;
    size_ = size;
    mapped_ = nullptr;
}

bool VertexBuffer::create_buffer(Kind kind, std::size_t size, VertexStreams& streams) {
    release(streams);
    glGenBuffers(1, &gl_name_);
    if (gl_name_ == 0)
        return false;
    kind_ = kind;
    size_ = size;
    streams.bind_array_buffer(gl_name_);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(size), nullptr,
                 kind == kStaticBuffer ? GL_STATIC_DRAW : GL_DYNAMIC_DRAW);
    return true;
}

void* VertexBuffer::map(VertexStreams& streams) {
    if (kind_ == kMemory) {
        mapped_ = memory_.get();
    } else {
        streams.bind_array_buffer(gl_name_);
        mapped_ = glMapBuffer(GL_ARRAY_BUFFER, GL_WRITE_ONLY);
    }
    return mapped_;
}

void VertexBuffer::unmap(VertexStreams& streams) {
    if (mapped_ != nullptr && kind_ != kMemory) {
        streams.bind_array_buffer(gl_name_);
        glUnmapBuffer(GL_ARRAY_BUFFER);
    }
    mapped_ = nullptr;
}

void VertexBuffer::release(VertexStreams& streams) {
    if (kind_ != kMemory && gl_name_ != 0) {
        streams.detach_buffer(gl_name_);
        glDeleteBuffers(1, &gl_name_);
    }
    gl_name_ = 0;
    memory_.reset();
    kind_ = kMemory;
    size_ = 0;
    mapped_ = nullptr;
}

}  // namespace tarn
