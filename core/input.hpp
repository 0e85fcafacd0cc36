#pragma once

#include "core/key_state.hpp"
#include "core/platform_state.hpp"
#include "platform/events.hpp"

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
// A mouse button's engine key code; MOUSE_LEFT also drives TOUCH_0, after it.
void set_mouse_button(Platform& platform, KeyListener& listener, int code, bool down);
// Touch i (0..3), (0, 0) for any other i.
PointF touch_position(const Platform& platform, int index);
// Scripts may place the float mouse position themselves.
void override_mouse_position(Platform& platform, PointF position);

// A joystick axis value scaled to -1..1 (-32768 and 32767 are the ends).
float normalize_axis(int value);
// Stores the value of the x or y axis; other axes are ignored.
void move_joystick_axis(Platform& platform, int axis, int value);
// A new hat value (platform::HatBits) of the pad: each direction that changed is pressed or
// released, in the order up, down, left, right.
void move_joystick_hat(Platform& platform, KeyListener& listener, int value);
// The axis pair when a joystick is open and the pair is longer than threshold, else (0, 0).
PointF joystick_direction(const Platform& platform, float threshold);

// One event applied to the input state; a quit event requests the quit.
void handle_event(Platform& platform, KeyListener& listener, const platform::Event& event);
// Drains the waiting events, stopping early once a quit is requested. False when one was.
bool pump_events(Platform& platform, KeyListener& listener, platform::EventSource& events);

}  // namespace tarn
