#pragma once

// Input made on the window system's own queue, as a user makes it, for tests and tools that drive
// a running window; the engine reads it back through WindowEvents like any other input.
namespace tarn::platform {

// Moves the pointer to (x, y) in the window; the window system reports the motion as an event.
void warp_mouse(int x, int y);
// Queues a press or release at (x, y) of the mouse button with an engine key code. False for a
// code that is no mouse button, or when the queue is full.
bool push_mouse_button(int code, bool down, int x, int y);

}  // namespace tarn::platform
