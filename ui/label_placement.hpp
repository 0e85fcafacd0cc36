#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "render/text_layout.hpp"
#include "script/vector_math.hpp"

namespace tarn {

// A label's alignment: the low four bits place the text across (0 left, 1 right, 2 centre), the
// next four down (0 top, 1 bottom, 2 middle).
namespace label_align {
constexpr std::uint32_t kLeft = 0, kRight = 1, kCentre = 2;
constexpr std::uint32_t kTop = 0, kBottom = 1, kMiddle = 2;
constexpr std::uint32_t kDefault = 0x22;

constexpr std::uint32_t horizontal(std::uint32_t align) {
    return align & 0xF;
}
constexpr std::uint32_t vertical(std::uint32_t align) {
    return (align >> 4) & 0xF;
}
}  // namespace label_align

// The alignment named "center", "left", "top_right" and so on; none for any other name.
std::optional<std::uint32_t> label_align_from_name(std::string_view name);

// How the lines of a label's text are aligned against each other.
TextAlign text_align_of_label(std::uint32_t align);

// Where and how large a label draws its text: scaled by scale (never above 1, so that the text
// fits the frame) and moved by offset (whole units) inside the frame.
struct LabelPlacement {
    float scale = 1.0f;
    Vec2 offset{};
};

// The placement of a text of extent size in a frame of frame size under align.
LabelPlacement place_label(const Vec2& frame, const Vec2& extent, std::uint32_t align);

// The text's position for a placement and the label's own offset; a shadow adds its offset,
// which is in text units and so scales with the text.
Vec2 label_text_position(const LabelPlacement& placement, const Vec2& label_offset);
Vec2 label_shadow_position(const LabelPlacement& placement, const Vec2& label_offset,
                           const Vec2& shadow_offset);

}  // namespace tarn
