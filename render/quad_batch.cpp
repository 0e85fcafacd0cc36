#include "render/quad_batch.hpp"

#include <algorithm>

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
    buffer_.allocate_memory(kBytes);
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

}  // namespace tarn
