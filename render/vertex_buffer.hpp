#pragma once

#include <GL/glew.h>

#include <cstddef>
#include <memory>

namespace tarn {

class VertexStreams;

// Vertex storage: a GL buffer object (static, dynamic or stream use, bound to GL_ARRAY_BUFFER) or
// plain memory. Released storage becomes an empty memory buffer.
class VertexBuffer {
public:
    enum Kind { kStaticBuffer = 0, kDynamicBuffer = 1, kMemory = 2, kStreamBuffer = 3 };

    VertexBuffer() = default;
    VertexBuffer(const VertexBuffer&) = delete;
    VertexBuffer& operator=(const VertexBuffer&) = delete;
    // Buffer objects must be released through release() while the context exists.
    ~VertexBuffer() = default;

    void allocate_memory(std::size_t size);
    // False when GL could not create the buffer object.
    bool create_buffer(Kind kind, std::size_t size, VertexStreams& streams);
    // Where to write size bytes of vertices; buffer objects are bound and mapped write-only.
    void* map(VertexStreams& streams);
    void unmap(VertexStreams& streams);
    void release(VertexStreams& streams);
    // After the GL context was replaced: the buffer object is gone with it.
    void forget();

    // Buffer objects written front to back, each write once drawn from: copies size bytes after
    // the previous write and returns their offset. When they do not fit, the storage is renewed
    // first (orphaned: GL keeps what it still draws from) and they go to offset 0.
    std::size_t stream_write(const void* data, std::size_t size, VertexStreams& streams);

    Kind kind() const { return kind_; }
    GLuint gl_name() const { return gl_name_; }
    std::size_t size() const { return size_; }
    bool is_mapped() const { return mapped_ != nullptr; }
    // Start of the vertex data as GL array pointers take it: the memory, or 0 in the buffer.
    const void* base() const { return kind_ == kMemory ? memory_.get() : nullptr; }

private:
    GLenum usage() const;

    Kind kind_ = kMemory;
    GLuint gl_name_ = 0;
    std::size_t size_ = 0;
    std::unique_ptr<std::byte[]> memory_;
    void* mapped_ = nullptr;
    std::size_t written_ = 0;
};

}  // namespace tarn
