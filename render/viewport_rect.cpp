#include "render/viewport_rect.hpp"

#include <GL/glew.h>

#include <algorithm>

namespace tarn {

void ViewportRect::fit_to_screen(float width, float height) {
    const float scale = std::min(width / size[0], height / size[1]);
    size = {size[0] * scale, size[1] * scale};
    center_on_screen(width, height);
}

void ViewportRect::center_on_screen(float width, float height) {
    position = {(width - size[0]) / 2.0f, (height - size[1]) / 2.0f};
}

void ViewportRect::apply_to_window(int height) const {
    const int x = static_cast<int>(position[0]);
    const int y = static_cast<int>(position[1]);
    const int w = static_cast<int>(size[0]);
    const int h = static_cast<int>(size[1]);
    glViewport(x, height - y - h, w, h);
}

}  // namespace tarn
