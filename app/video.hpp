#pragma once

#include "core/shared_string.hpp"

namespace tarn {

// Opens (or reopens) the window from the "video_mode" setting and prepares GL for 2D drawing
// with the origin at the top left. Aborts when the mode or OpenGL cannot be set up.
void setup_video();
// The first window of the run. A "video_mode" other than fallback_mode comes from the saved
// settings; when it cannot be opened, that is logged and fallback_mode replaces it, so that a
// saved mode never keeps the game from starting. A failing fallback_mode aborts as above.
void start_video(const SharedString& fallback_mode);
// Applies a changed "video_orientation": scripts see the window turned.
void update_orientation();

}  // namespace tarn
