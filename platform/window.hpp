#pragma once

#include <optional>
#include <string>

#include "platform/x_errors.hpp"

// The window system: one window with its OpenGL context, the cursor, the icon and whether the
// user is looking at the application. Everything runs on the main thread.
namespace tarn::platform {

// Starts the window system with its video, joystick and event services. X errors that nothing
// expects, and the loss of the X server, go to on_failure, which must end the process. False
// when it cannot start; last_error() tells why.
bool start_window_system(XFailureHandler on_failure);
// Closes the window, any joystick and the services start_window_system() began.
void stop_window_system();
// The window system's own description of its last failure.
std::string last_error();

// A width and height in pixels.
struct PixelSize {
    int width = 0, height = 0;
};

// X counts window sides in 16 bits and places windows with signed 16-bit coordinates.
inline constexpr int kMaxWindowSide = 32767;
// The largest icon side accepted: real icons are far smaller, and a bigger image is most likely
// a damaged file that X would refuse.
inline constexpr int kMaxIconSide = 1024;

// Opens the window, or replaces the open one, at 32 bits per pixel with a double-buffered
// OpenGL context that swaps in step with the display. The size the window really got, or
// nothing when the mode cannot be set (last_error() tells why: a side above kMaxWindowSide,
// the window system's refusal, or the X error that setting the mode raised).
std::optional<PixelSize> open_window(int width, int height, bool fullscreen);
// The window's caption, used for its icon title as well.
void set_window_caption(const char* title);
// Sets the window icon from a BMP file before the window opens; a missing or unreadable file
// leaves the icon as it is. So does an image with a side outside 1..kMaxIconSide, whose size is
// returned so that the caller can report it.
std::optional<PixelSize> set_window_icon(const char* bmp_path);
void show_cursor(bool visible);
// Shows what was drawn into the back buffer.
void swap_buffers();
// True while the window has the input focus and is not iconified.
bool application_active();

}  // namespace tarn::platform
