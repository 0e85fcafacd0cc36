#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "platform/joystick.hpp"

namespace tarn {

// Number of engine key codes, from KEY_NONE to the last touch and joystick codes.
inline constexpr int kKeyCount = 211;

// Key state bits: held down, pressed this frame, released this frame.
enum KeyBits : std::uint8_t { kKeyPressed = 1, kKeyReleased = 2, kKeyDown = 4 };

struct Color {
    float r = 1.0f, g = 1.0f, b = 1.0f, a = 1.0f;
};

struct PointF {
    float x = 0.0f, y = 0.0f;
};

// Number of touch positions kept; only the first one moves on this platform.
inline constexpr int kTouchPointCount = 4;

// The process-wide record of the window, the clock and the input state.
struct Platform {
    bool sdl_ready = false;
    bool quit_requested = false;
    std::int32_t now_ms = 0;
    std::uint32_t start_ms = 0;  // 0 until the first clock read
    int width = 0, height = 0;
    bool fullscreen = false;
    int logical_width = 0, logical_height = 0;
    int orientation = 0;
    int previous_orientation = 0;
    float orientation_timer = 0.0f;  // seconds left of an orientation change

    std::array<std::uint8_t, kKeyCount> keys{};
    int mouse_x = 0, mouse_y = 0;                    // last position in logical (oriented) pixels
    float mouse_fx = 0.0f, mouse_fy = 0.0f;          // the same as floats, or as a script set it
    float mouse_dx = 0.0f, mouse_dy = 0.0f;          // motion of the current frame
    std::array<PointF, kTouchPointCount> touches{};  // touch 0 follows the mouse

    // The joystick: which device, hat and axes count, and their last known state.
    int joy_index = 0;
    int joy_pad = 0;
    int joy_x_axis = 0, joy_y_axis = 1;
    std::array<bool, 4> hat_directions{};  // up, down, left, right
    float axis_x = 0.0f, axis_y = 0.0f;    // -1..1
    bool joystick_open = false;            // events of joystick joy_index are handled
    std::optional<platform::Joystick> joystick;

    std::array<Color, 10> text_colors{};

    // Milliseconds since the first clock read, given the window system's tick count; stored in
    // now_ms.
    std::int32_t read_clock(std::uint32_t ticks);
    // The same reading without storing the result in now_ms (the first read still starts the
    // clock), for scripts that time things themselves.
    std::int32_t clock_elapsed(std::uint32_t ticks);
    // Ends the frame's input edges: clears the per-frame motion and the pressed/released bits.
    void clear_frame_input();
};

// The engine's window, clock and input record. A process-wide object created at start-up
// (app/singletons.cpp).
Platform& platform_state();

}  // namespace tarn
