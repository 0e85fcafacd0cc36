#include "ui/ui_sprite_placement.hpp"

#include <cmath>

#include "ui/widget_paint.hpp"

namespace tarn {

std::optional<UISpriteMode> ui_sprite_mode_from_name(std::string_view name) {
    if (name == "center")
        return UISpriteMode::kCenter;
    if (name == "scale_to_fill")
        return UISpriteMode::kScaleToFill;
    return std::nullopt;
}

UIQuad center_sprite_quad(const Vec2& frame_size, const CenteredPicture& picture,
                          const Vec2& offset) {
    const float g = fit_scale(frame_size, picture.size);
    Vec2 pivot{};
    for (int axis = 0; axis < 2; ++axis)
        pivot[axis] = std::floor((frame_size[axis] - picture.size[axis] * g) * 0.5f +
                                 g * picture.pivot[axis]) +
                      offset[axis];
    const float x0 = pivot[0] - picture.frame_pivot[0] * g;
    const float y0 = pivot[1] - picture.frame_pivot[1] * g;
    return {x0, y0, x0 + picture.frame_size[0] * g, y0 + picture.frame_size[1] * g, {}};
}

}  // namespace tarn
