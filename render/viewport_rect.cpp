#include "render/viewport_rect.hpp"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>

namespace tarn {

int to_whole_pixels(float value) {
    constexpr float kLimit = 1 << 30;
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(value, -kLimit, kLimit));
}

void ViewportRect::fit_to_screen(float width, float height) {
    if (!(size[0] > 0.0f && size[1] > 0.0f)) {
        center_on_screen(width, height);
        return;
    }
    const float scale = std::min(width / size[0], height / size[1]);
    size = {size[0] * scale, size[1] * scale};
    center_on_screen(width, height);
}

void ViewportRect::center_on_screen(float width, float height) {
    position = {(width - size[0]) / 2.0f, (height - size[1]) / 2.0f};
}

void ViewportRect::apply_to_window(int height) const {
    const int x = to_whole_pixels(position[0]);
    const int y = to_whole_pixels(position[1]);
    const int w = to_whole_pixels(size[0]);
    const int h = to_whole_pixels(size[1]);
    glViewport(x, height - y - h, w, h);
}

}  // namespace tarn
