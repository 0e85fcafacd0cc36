#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "render/gpu_texture.hpp"
#include "render/vertex_buffer.hpp"
#include "render/vertex_format.hpp"
#include "script/object_ref.hpp"

namespace tarn {

// The index list of quads drawn as the triangles (0, 1, 2) and (1, 3, 2) of their four vertices,
// quad k on vertices 4k..4k+3: indices.size() / 6 quads.
void write_quad_indices(std::span<std::uint16_t> indices);

// Textured, coloured quads collected for one glDrawElements per texture run. The vertices are
// written into plain memory of fixed size, so adding a quad allocates nothing. A draw streams
// them into a GL buffer object and reads the indices from a static one, so that the driver does
// not copy client arrays at every draw; without buffer objects it draws from the memory.
class QuadBatch {
public:
    static constexpr int kMaxVertices = 1024;
    static constexpr int kMaxIndices = 1536;
    static constexpr int kBytes = kMaxVertices * static_cast<int>(sizeof(BatchVertex));
    // The stream buffer holds many batches, so that its storage is renewed only now and then.
    static constexpr int kStreamBytes = 4 << 20;
    static_assert(kMaxIndices / 6 * 4 == kMaxVertices);

    QuadBatch();

    // Allocates the vertex memory once; later calls keep it.
    void ensure_memory();
    bool has_memory() const { return memory_.size() != 0; }

    // Whether a quad on texture cannot join the current batch (full, or another texture).
    bool must_break_for(const GpuTexture* texture) const {
        return vertex_count_ + 4 > kMaxVertices || index_count_ + 6 > kMaxIndices ||
               texture != texture_.get();
    }
    // Appends one quad on texture, drawn as the triangles (0, 1, 2) and (1, 3, 2) of its four
    // vertices, and returns the vertices. The caller has made room (must_break_for).
    BatchVertex* reserve_quad(GpuTexture* texture);
    bool empty() const { return vertex_count_ == 0 || index_count_ == 0; }
    void clear_counts() {
        vertex_count_ = 0;
        index_count_ = 0;
    }
    void drop_texture() { texture_.reset(); }

    void map(VertexStreams& streams) { mapped_ = static_cast<BatchVertex*>(memory_.map(streams)); }
    void unmap(VertexStreams& streams) {
        memory_.unmap(streams);
        mapped_ = nullptr;
    }

    // Draws the batch's quads with one glDrawElements, binding the vertex streams; the caller
    // has bound shader and texture.
    void draw(VertexStreams& streams);
    // Deletes the GL buffers (the context still exists).
    void release_buffers(VertexStreams& streams);
    // After the context was replaced: its GL buffers are gone with it.
    void forget_buffers();

    GpuTexture* texture() const { return texture_.get(); }
    int vertex_count() const { return vertex_count_; }
    int index_count() const { return index_count_; }
    const std::uint16_t* indices() const { return indices_.data(); }
    const BatchVertex* vertices() const { return static_cast<const BatchVertex*>(memory_.base()); }
    const VertexFormat& format() const { return format_; }
    // The GL buffers the batch is drawn from, 0 while there are none.
    GLuint stream_buffer() const { return stream_.gl_name(); }
    GLuint index_buffer() const { return index_buffer_; }

private:
    bool ensure_buffers(VertexStreams& streams);

    VertexBuffer memory_;
    VertexBuffer stream_;
    GLuint index_buffer_ = 0;
    VertexFormat format_;
    std::array<std::uint16_t, kMaxIndices> indices_{};
    int vertex_count_ = 0;
    int index_count_ = 0;
    ObjectRef<GpuTexture> texture_;
    BatchVertex* mapped_ = nullptr;
};

}  // namespace tarn
