#pragma once

#include <array>
#include <cstdint>

namespace tarn {

// Blend factors plus depth and culling flags, compared as a whole. The pair {GL_ONE, GL_ZERO}
// means blending disabled.
struct RenderState {
    // Flag bits: 0-2 depth function code (0 = no depth test), bit 3 depth write, bits 4-5 cull
    // mode (0 = none, 0x10 = back faces, 0x20/0x30 = front faces).
    static constexpr std::uint32_t kDepthFunctionMask = 0x07;
    static constexpr std::uint32_t kDepthWrite = 0x08;
    static constexpr std::uint32_t kDepthBits = 0x0F;
    static constexpr std::uint32_t kCullMask = 0x30;
    static constexpr std::uint32_t kCullBack = 0x10;

    std::uint32_t source = 0;
    std::uint32_t destination = 0;
    std::uint32_t flags = 0;

    friend bool operator==(const RenderState&, const RenderState&) = default;
};

// The GL depth function of a depth code 1-7.
std::uint32_t depth_function_of(std::uint32_t code);

// Applies state against cache (what GL currently has), issuing only the GL calls for the parts
// that differ, and updates cache.
void apply_render_state(const RenderState& state, RenderState& cache);

// Slot 0 caches the GL state; slots 1-31 hold the registered states with stable indices.
class RenderStateTable {
public:
    static constexpr int kSlots = 32;
    // The states the renderer registers first, so their indices are fixed.
    static constexpr int k2d = 1;
    static constexpr int k3d = 2;
    static constexpr int kClear = 3;

    // Forgets every registered state.
    void reset() { count_ = 1; }
    // The index of an equal registered state, else a new one; a 32nd state is fatal.
    int register_state(const RenderState& state);
    int count() const { return count_; }
    const RenderState& state(int index) const { return slots_[index]; }
    RenderState& cache() { return slots_[0]; }

private:
    std::array<RenderState, kSlots> slots_{};
    int count_ = 1;
};

}  // namespace tarn
