#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "render/ui_quad.hpp"
#include "script/vector_math.hpp"

namespace tarn {

// How a UI sprite fills its frame.
enum class UISpriteMode : std::int32_t { kCenter = 0, kScaleToFill = 1 };

// The mode named "center" or "scale_to_fill"; none for any other name.
std::optional<UISpriteMode> ui_sprite_mode_from_name(std::string_view name);

// The sizes a centred sprite is placed by: the whole sprite's size and pivot, and the size and
// pivot of the frame drawn (for an animated sprite, one of its frames).
struct CenteredPicture {
    Vec2 size{}, pivot{};
    Vec2 frame_size{}, frame_pivot{};
};

// The rectangle of a sprite shrunk (never enlarged) to fit a frame of frame_size and centred
// in it, its pivot on a whole unit, moved by offset. The quad's texture coordinates are left
// for the caller.
UIQuad center_sprite_quad(const Vec2& frame_size, const CenteredPicture& picture,
                          const Vec2& offset);

}  // namespace tarn
