#pragma once

namespace tarn {

// Opens (or reopens) the window from the "video_mode" setting and prepares GL for 2D drawing
// with the origin at the top left. Aborts when the mode or OpenGL cannot be set up.
void setup_video();
// Applies a changed "video_orientation": scripts see the window turned.
void update_orientation();

}  // namespace tarn
