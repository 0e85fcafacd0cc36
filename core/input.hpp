#pragma once

#include "core/key_state.hpp"
#include "core/platform_state.hpp"

union SDL_Event;

namespace tarn {

struct Point {
    int x = 0, y = 0;
};

// A window position as scripts see it under the current orientation (W, H the physical size):
// 0 (x, y), 1 (W - x, H - y), 2 (H - y, x), 3 (y, W - x); another orientation gives (0, 0).
Point orient_position(const Platform& platform, int x, int y);
// A motion turned the same way, without the size offsets, so no motion stays no motion.
Point orient_motion(const Platform& platform, int dx, int dy);

// A mouse move to (x, y) by (dx, dy), both in window pixels: sets the position (touch 0
// included) and adds to the frame's motion.
void move_mouse(Platform& platform, int x, int y, int dx, int dy);
// An SDL mouse button; the left button also drives TOUCH_0, after MOUSE_LEFT.
void set_mouse_button(Platform& platform, KeyListener& listener, int button, bool down);
// Touch i (0..3), (0, 0) for any other i.
PointF touch_position(const Platform& platform, int index);
// Scripts may place the float mouse position themselves.
void override_mouse_position(Platform& platform, PointF position);

// An SDL axis value scaled to -1..1 (-32768 and 32767 are the ends).
float normalize_axis(int value);
// Stores the value of the x or y axis; other axes are ignored.
void move_joystick_axis(Platform& platform, int axis, int value);
// A new SDL hat value of the pad: each direction that changed is pressed or released, in the
// order up, down, left, right.
void move_joystick_hat(Platform& platform, KeyListener& listener, int value);
// The axis pair when a joystick is open and the pair is longer than threshold, else (0, 0).
PointF joystick_direction(const Platform& platform, float threshold);

// One SDL event applied to the input state; a quit event requests the quit.
void handle_event(Platform& platform, KeyListener& listener, const SDL_Event& event);
// Drains SDL's event queue, stopping early once a quit is requested. False when one was.
bool pump_events(Platform& platform, KeyListener& listener);

}  // namespace tarn
