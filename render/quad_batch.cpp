#include "render/quad_batch.hpp"

#include <algorithm>
#include <cstdint>

#include "render/vertex_streams.hpp"

namespace tarn {

void write_quad_indices(std::span<std::uint16_t> indices) {
    for (std::size_t k = 0; k < indices.size() / 6; ++k) {
        const auto base = static_cast<std::uint16_t>(4 * k);
        const std::array<std::uint16_t, 6> quad = {base,
                                                   static_cast<std::uint16_t>(base + 1),
                                                   static_cast<std::uint16_t>(base + 2),
                                                   static_cast<std::uint16_t>(base + 1),
                                                   static_cast<std::uint16_t>(base + 3),
                                                   static_cast<std::uint16_t>(base + 2)};
        std::copy(quad.begin(), quad.end(), indices.begin() + 6 * k);
    }
}

void QuadBatch::ensure_memory() {
    if (has_memory())
        return;
    memory_.allocate_memory(kBytes);
    format_ = VertexFormat::from_mask(vertex_mask::kBatchVertex);
}

BatchVertex* QuadBatch::reserve_quad(GpuTexture* texture) {
    if (texture != texture_.get())
        texture_.reset(texture);
    BatchVertex* quad = mapped_ + vertex_count_;
    vertex_count_ += 4;
    index_count_ += 6;
    return quad;
}

QuadBatch::QuadBatch() {
    // Quad k always uses vertices 4k..4k+3, so the index list is the same for every batch and is
    // written once.
    write_quad_indices(indices_);
}

bool QuadBatch::ensure_buffers(VertexStreams& streams) {
    if (index_buffer_ != 0)
        return true;
    if (glMapBufferRange == nullptr ||
        !stream_.create_buffer(VertexBuffer::kStreamBuffer, kStreamBytes, streams))
        return false;
    glGenBuffers(1, &index_buffer_);
    if (index_buffer_ == 0) {
        stream_.release(streams);
        return false;
    }
    streams.bind_element_buffer(index_buffer_);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(sizeof(indices_)),
                 indices_.data(), GL_STATIC_DRAW);
    return true;
}

void QuadBatch::draw(VertexStreams& streams) {
    const void* first = memory_.base();
    if (!ensure_buffers(streams)) {
        streams.bind_streams(batch_vertex_layout(), 0, first, sizeof(BatchVertex));
        streams.bind_element_buffer(0);
        glDrawElements(GL_TRIANGLES, index_count_, GL_UNSIGNED_SHORT, indices_.data());
        return;
    }
    const std::size_t offset = stream_.stream_write(
        first, static_cast<std::size_t>(vertex_count_) * sizeof(BatchVertex), streams);
    streams.bind_streams(batch_vertex_layout(), stream_.gl_name(),
                         reinterpret_cast<const void*>(offset), sizeof(BatchVertex));
    streams.bind_element_buffer(index_buffer_);
    glDrawElements(GL_TRIANGLES, index_count_, GL_UNSIGNED_SHORT, nullptr);
}

void QuadBatch::release_buffers(VertexStreams& streams) {
    stream_.release(streams);
    if (index_buffer_ == 0)
        return;
    if (streams.element_buffer() == index_buffer_)
        streams.bind_element_buffer(0);
    glDeleteBuffers(1, &index_buffer_);
    index_buffer_ = 0;
}

void QuadBatch::forget_buffers() {
    stream_.forget();
    index_buffer_ = 0;
}

}  // namespace tarn
