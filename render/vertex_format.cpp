#include "render/vertex_format.hpp"

#include <algorithm>
#include <cmath>

namespace tarn {

namespace {

std::uint8_t to_byte(float value) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

PackedColor PackedColor::from_floats(float r, float g, float b, float a) {
    return {to_byte(r), to_byte(g), to_byte(b), to_byte(a)};
}

VertexFormat VertexFormat::from_mask(std::uint32_t mask) {
    VertexFormat format;
    format.mask = mask;
    for (int i = 0; i < kComponents; ++i) {
        format.offsets[i] = (mask & kBits[i]) != 0 ? format.stride : -1;
        if ((mask & kBits[i]) != 0)
            format.stride += kSizes[i];
    }
    return format;
}

int VertexFormat::offset_of(std::uint32_t bit) const {
    for (int i = 0; i < kComponents; ++i) {
        if (kBits[i] == bit)
            return offsets[i];
    }
    return -1;
}

const VertexElement* VertexLayout::find(std::uint32_t code) const {
    for (int i = 0; i < count; ++i) {
        if (elements[i].code == code && elements[i].stream >= 0)
            return &elements[i];
    }
    return nullptr;
}

const VertexLayout& batch_vertex_layout() {
    static const VertexLayout layout = {{{{element_code::kPosition2f, 0, 0},
                                          {element_code::kColor4ub, 0, 8},
                                          {element_code::kTexCoord2f, 0, 12}}},
                                        3};
    return layout;
}

}  // namespace tarn
