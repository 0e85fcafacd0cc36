#pragma once

#include "script/vector_math.hpp"

namespace tarn {

// A viewport in top-down screen pixels, as views and cameras place it on the window.
struct ViewportRect {
    Vec2 position = {0.0f, 0.0f};
    Vec2 size = {0.0f, 0.0f};

    // Scales the size to fit a screen of width x height, keeping its aspect ratio, and centres
    // it there; the size must be set first, as it gives the aspect ratio (an empty size has none
    // and is only centred).
    void fit_to_screen(float width, float height);
    void center_on_screen(float width, float height);
    // glViewport of the rectangle, truncated to whole pixels, on a window height pixels tall.
    void apply_to_window(int height) const;
};

// A viewport coordinate truncated to whole pixels; NaN gives 0 and values beyond what GL takes
// are clamped, so a script's wild viewport never reaches an undefined conversion.
int to_whole_pixels(float value);

}  // namespace tarn
