#pragma once

#include "core/shared_string.hpp"

namespace tarn {

struct VideoMode {
    int width = 1024;
    int height = 768;
    bool fullscreen = false;
};

// Reads "width height fullscreen" (each part optional, blanks between them).
VideoMode parse_video_mode(const SharedString& text);

// The orientation in use: 0..3, anything else counts as 0.
int valid_orientation(int orientation);
// Orientations 2 and 3 turn the window on its side, so scripts see width and height swapped.
bool swaps_axes(int orientation);

}  // namespace tarn
