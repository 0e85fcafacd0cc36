#include "render/vertex_buffer.hpp"

#include "render/vertex_streams.hpp"

#include <cstring>

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
    written_ = 0;
    streams.bind_array_buffer(gl_name_);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(size), nullptr, usage());
    return true;
}

GLenum VertexBuffer::usage() const {
    switch (kind_) {
        case kStaticBuffer:
            return GL_STATIC_DRAW;
        case kStreamBuffer:
            return GL_STREAM_DRAW;
        default:
            return GL_DYNAMIC_DRAW;
    }
}

std::size_t VertexBuffer::stream_write(const void* data, std::size_t size, VertexStreams& streams) {
    streams.bind_array_buffer(gl_name_);
    // Written ranges are never written again before the storage is renewed, so GL need not wait
    // for draws still reading the buffer.
    GLbitfield access = GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_RANGE_BIT | GL_MAP_UNSYNCHRONIZED_BIT;
    if (written_ + size > size_) {
        access = GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_BUFFER_BIT;
        written_ = 0;
    }
    const std::size_t offset = written_;
    void* target = glMapBufferRange(GL_ARRAY_BUFFER, static_cast<GLintptr>(offset),
                                    static_cast<GLsizeiptr>(size), access);
    if (target != nullptr) {
        std::memcpy(target, data, size);
        glUnmapBuffer(GL_ARRAY_BUFFER);
    }
    written_ += size;
    return offset;
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
    forget();
}

void VertexBuffer::forget() {
    gl_name_ = 0;
    memory_.reset();
    kind_ = kMemory;
    size_ = 0;
    mapped_ = nullptr;
    written_ = 0;
}

}  // namespace tarn
