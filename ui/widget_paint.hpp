#pragma once

#include <algorithm>

#include "script/vector_math.hpp"

namespace tarn {

// Helpers the drawing widgets share.

// The scale that makes content of size fit a frame, never above 1. An axis on which the content
// has no size does not constrain it.
inline float fit_scale(const Vec2& frame, const Vec2& size) {
    float scale = 1.0f;
    for (int axis = 0; axis < 2; ++axis)
        if (size[axis] > 0.0f)
            scale = std::min(scale, frame[axis] / size[axis]);
    return scale;
}

// A widget colour as the UI batch blends it: premultiplied by its alpha.
inline Vec4 premultiplied(const Vec4& color) {
    return {color[0] * color[3], color[1] * color[3], color[2] * color[3], color[3]};
}

}  // namespace tarn
