#pragma once

#include <array>
#include <cstdint>

namespace tarn {

// A 32-bit colour stored as the bytes R, G, B, A in memory order.
struct PackedColor {
    std::uint8_t r = 255;
    std::uint8_t g = 255;
    std::uint8_t b = 255;
    std::uint8_t a = 255;

    // From floats in [0, 1] (clamped), rounded to the nearest byte.
    static PackedColor from_floats(float r, float g, float b, float a);
    // The colour premultiplied by its alpha, as 2D drawing blends it.
    static PackedColor premultiplied(float r, float g, float b, float a) {
        return from_floats(r * a, g * a, b * a, a);
    }
    friend bool operator==(const PackedColor&, const PackedColor&) = default;
};
static_assert(sizeof(PackedColor) == 4);

// The interleaved vertex of the 2D quad batch.
struct BatchVertex {
    float x, y;
    PackedColor color;
    float u, v;
};
static_assert(sizeof(BatchVertex) == 20);

// Interleaved vertex components by bit, laid out in the order of kVertexComponents.
namespace vertex_mask {
inline constexpr std::uint32_t kPosition3 = 0x01;
inline constexpr std::uint32_t kPosition2 = 0x40;
inline constexpr std::uint32_t kColor = 0x80;
inline constexpr std::uint32_t kTexCoord0 = 0x02;
inline constexpr std::uint32_t kTexCoord1 = 0x04;
inline constexpr std::uint32_t kNormal = 0x08;
inline constexpr std::uint32_t kFloat4 = 0x10;
inline constexpr std::uint32_t kFloat6 = 0x20;
inline constexpr std::uint32_t kBatchVertex = kPosition2 | kColor | kTexCoord0;
}  // namespace vertex_mask

// A vertex layout described by a component mask: stride and the byte offset of each component
// (-1 when absent), indexed in layout order.
struct VertexFormat {
    static constexpr int kComponents = 8;
    static constexpr std::array<std::uint32_t, kComponents> kBits = {0x01, 0x40, 0x80, 0x02,
                                                                     0x04, 0x08, 0x10, 0x20};
    static constexpr std::array<int, kComponents> kSizes = {12, 8, 4, 8, 8, 12, 16, 24};

    std::uint32_t mask = 0;
    int stride = 0;
    std::array<int, kComponents> offsets{};

    static VertexFormat from_mask(std::uint32_t mask);
    // The offset of the component with this bit, or -1.
    int offset_of(std::uint32_t bit) const;
};

// One vertex attribute with its storage: bits 0-3 semantic, 4-7 component count, 8-11 type as
// an offset from GL_BYTE, bit 12 normalised.
namespace element_code {
inline constexpr std::uint32_t kPosition2f = 0x620;
inline constexpr std::uint32_t kPosition3f = 0x630;
inline constexpr std::uint32_t kColor4ub = 0x1142;
inline constexpr std::uint32_t kTexCoord2f = 0x623;

inline constexpr int semantic(std::uint32_t code) {
    return code & 0xF;
}
inline constexpr int count(std::uint32_t code) {
    return (code >> 4) & 0xF;
}
// GL_BYTE is 0x1400; the types follow it in GL's numbering.
inline constexpr std::uint32_t gl_type(std::uint32_t code) {
    return 0x1400 + ((code >> 8) & 0xF);
}
inline constexpr bool normalized(std::uint32_t code) {
    return (code & 0x1000) != 0;
}
}  // namespace element_code

// Semantics of the fixed-function vertex inputs.
enum class Semantic { kPosition = 0, kNormal = 1, kColor = 2, kTexCoord0 = 3 };

struct VertexElement {
    std::uint32_t code = 0;
    int stream = -1;  // negative: the element is absent
    int offset = 0;
};

struct VertexLayout {
    static constexpr int kMaxElements = 8;
    std::array<VertexElement, kMaxElements> elements{};
    int count = 0;

    // The first present element with exactly this code, or null.
    const VertexElement* find(std::uint32_t code) const;
};

// The layout the 2D batch draws with: position at 0, colour at 8, texture coordinates at 12.
const VertexLayout& batch_vertex_layout();

}  // namespace tarn
