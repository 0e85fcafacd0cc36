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

// Textured, coloured quads collected for one glDrawElements per texture run. The vertices live
// in plain memory of fixed size, so adding a quad allocates nothing.
class QuadBatch {
public:
    static constexpr int kMaxVertices = 1024;
    static constexpr int kMaxIndices = 1536;
    static constexpr int kBytes = kMaxVertices * static_cast<int>(sizeof(BatchVertex));
    static_assert(kMaxIndices / 6 * 4 == kMaxVertices);

    QuadBatch();

    // Allocates the vertex memory once; later calls keep it.
    void ensure_memory();
    bool has_memory() const { return buffer_.size() != 0; }

    // Whether a quad on texture cannot join the current run (full, or another texture).
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

    void map(VertexStreams& streams) { mapped_ = static_cast<BatchVertex*>(buffer_.map(streams)); }
    void unmap(VertexStreams& streams) {
        buffer_.unmap(streams);
        mapped_ = nullptr;
    }

    GpuTexture* texture() const { return texture_.get(); }
    int vertex_count() const { return vertex_count_; }
    int index_count() const { return index_count_; }
    const std::uint16_t* indices() const { return indices_.data(); }
    const BatchVertex* vertices() const { return static_cast<const BatchVertex*>(buffer_.base()); }
    const VertexFormat& format() const { return format_; }

private:
    VertexBuffer buffer_;
    VertexFormat format_;
    std::array<std::uint16_t, kMaxIndices> indices_{};
    int vertex_count_ = 0;
    int index_count_ = 0;
    ObjectRef<GpuTexture> texture_;
    BatchVertex* mapped_ = nullptr;
};

}  // namespace tarn
