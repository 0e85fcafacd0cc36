#pragma once

#include <cstdint>
#include <vector>

#include "resources/image.hpp"

namespace tarn {

// Most frames one texture may be cut into; a tinier frame size or a larger grid is refused
// rather than exhausting memory.
inline constexpr std::int64_t kMaxTextureFrames = 1 << 16;

// A grid of frames of the given pixel size over the picture, row by row, left to right; the
// rest of the picture is unused. Empty when either size is not positive. False when the grid
// would exceed kMaxTextureFrames.
bool frames_by_size(std::int32_t image_width, std::int32_t image_height, float frame_width,
                    float frame_height, std::vector<ImageFrame>& out);

// columns x rows frames covering the picture (frame sizes are not rounded). Empty unless both
// counts are positive. False when the grid would exceed kMaxTextureFrames.
bool frames_by_grid(std::int32_t image_width, std::int32_t image_height, std::int64_t columns,
                    std::int64_t rows, std::vector<ImageFrame>& out);

}  // namespace tarn
