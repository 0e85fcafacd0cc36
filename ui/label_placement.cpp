#include "ui/label_placement.hpp"

#include <array>
#include <cmath>

#include "ui/widget_paint.hpp"

namespace tarn {

namespace {

struct AlignName {
    std::string_view name;
    std::uint32_t value;
};

constexpr std::array<AlignName, 9> kAlignNames = {{
    {"center", 0x22},
    {"left", 0x20},
    {"right", 0x21},
    {"top", 0x02},
    {"bottom", 0x12},
    {"top_left", 0x00},
    {"top_right", 0x01},
    {"bottom_left", 0x10},
    {"bottom_right", 0x11},
}};

// Offset of a span of length used in room of length space: flush with the near or far end, or
// centred, in whole units.
float align_offset(std::uint32_t side, float space, float used) {
    switch (side) {
        case label_align::kRight:
            return std::floor(space - used);
        case label_align::kCentre:
            return std::floor((space - used) * 0.5f);
        default:
            return 0.0f;
    }
}

}  // namespace

std::optional<std::uint32_t> label_align_from_name(std::string_view name) {
    for (const AlignName& entry : kAlignNames)
        if (entry.name == name)
            return entry.value;
    return std::nullopt;
}

TextAlign text_align_of_label(std::uint32_t align) {
    switch (label_align::horizontal(align)) {
        case label_align::kLeft:
            return kTextAlignLeft;
        case label_align::kRight:
            return kTextAlignRight;
        default:
            return kTextAlignCenter;
    }
}

LabelPlacement place_label(const Vec2& frame, const Vec2& extent, std::uint32_t align) {
    LabelPlacement placement;
    placement.scale = fit_scale(frame, extent);
    const float k = placement.scale;
    // Right/bottom and centre/middle share their codes, so one helper serves both axes.
    placement.offset = {align_offset(label_align::horizontal(align), frame[0], extent[0] * k),
                        align_offset(label_align::vertical(align), frame[1], extent[1] * k)};
    return placement;
}

Vec2 label_text_position(const LabelPlacement& placement, const Vec2& label_offset) {
    return {label_offset[0] + placement.offset[0], label_offset[1] + placement.offset[1]};
}

Vec2 label_shadow_position(const LabelPlacement& placement, const Vec2& label_offset,
                           const Vec2& shadow_offset) {
    const Vec2 text = label_text_position(placement, label_offset);
    return {text[0] + shadow_offset[0] * placement.scale,
            text[1] + shadow_offset[1] * placement.scale};
}

}  // namespace tarn
