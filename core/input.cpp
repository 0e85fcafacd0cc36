#include "core/input.hpp"

#include <cmath>

#include "platform/key_codes.hpp"

namespace tarn {

namespace {

// Hat bits in the order the pad directions are reported.
struct HatDirection {
    int bit;
    int code;
};

constexpr HatDirection kHatDirections[] = {
    {platform::kHatUp, key::kJoyPadUp},
    {platform::kHatDown, key::kJoyPadDown},
    {platform::kHatLeft, key::kJoyPadLeft},
    {platform::kHatRight, key::kJoyPadRight},
};

bool from_open_joystick(const Platform& platform, int which) {
    return platform.joystick_open && which == platform.joy_index;
}

void handle_joystick_event(Platform& platform, KeyListener& listener,
                           const platform::Event& event) {
    if (!from_open_joystick(platform, event.joystick))
        return;
    switch (event.kind) {
        case platform::EventKind::kJoystickAxis:
            move_joystick_axis(platform, event.index, event.value);
            break;
        case platform::EventKind::kJoystickHat:
            if (event.index == platform.joy_pad)
                move_joystick_hat(platform, listener, event.value);
            break;
        case platform::EventKind::kJoystickButton:
            set_key(platform, listener, event.code, event.down);
            break;
        default:
            break;
    }
}

}  // namespace

Point orient_position(const Platform& platform, int x, int y) {
    const int w = platform.width, h = platform.height;
    switch (platform.orientation) {
        case 0:
            return {x, y};
        case 1:
            return {w - x, h - y};
        case 2:
            return {h - y, x};
        case 3:
            return {y, w - x};
        default:
            return {};
    }
}

Point orient_motion(const Platform& platform, int dx, int dy) {
    switch (platform.orientation) {
        case 0:
            return {dx, dy};
        case 1:
            return {-dx, -dy};
        case 2:
            return {-dy, dx};
        case 3:
            return {dy, -dx};
        default:
            return {};
    }
}

void move_mouse(Platform& platform, int x, int y, int dx, int dy) {
    const Point position = orient_position(platform, x, y);
    const Point motion = orient_motion(platform, dx, dy);
    platform.mouse_x = position.x;
    platform.mouse_y = position.y;
    platform.mouse_dx += static_cast<float>(motion.x);
    platform.mouse_dy += static_cast<float>(motion.y);
    platform.mouse_fx = static_cast<float>(position.x);
    platform.mouse_fy = static_cast<float>(position.y);
    platform.touches[0] = {platform.mouse_fx, platform.mouse_fy};
}

void set_mouse_button(Platform& platform, KeyListener& listener, int code, bool down) {
    set_key(platform, listener, code, down);
    if (code == key::kMouseLeft)
        set_key(platform, listener, key::kTouch0, down);
}

PointF touch_position(const Platform& platform, int index) {
    if (index < 0 || index >= kTouchPointCount)
        return {};
    return platform.touches[index];
}

void override_mouse_position(Platform& platform, PointF position) {
    platform.mouse_fx = position.x;
    platform.mouse_fy = position.y;
}

float normalize_axis(int value) {
    return value < 0 ? static_cast<float>(value) / 32768.0f : static_cast<float>(value) / 32767.0f;
}

void move_joystick_axis(Platform& platform, int axis, int value) {
    if (axis == platform.joy_x_axis)
        platform.axis_x = normalize_axis(value);
    else if (axis == platform.joy_y_axis)
        platform.axis_y = normalize_axis(value);
}

void move_joystick_hat(Platform& platform, KeyListener& listener, int value) {
    for (std::size_t i = 0; i < std::size(kHatDirections); ++i) {
        const bool active = (value & kHatDirections[i].bit) != 0;
        if (platform.hat_directions[i] == active)
            continue;
        platform.hat_directions[i] = active;
        set_key(platform, listener, kHatDirections[i].code, active);
    }
}

PointF joystick_direction(const Platform& platform, float threshold) {
    if (!platform.joystick_open)
        return {};
    const float x = platform.axis_x, y = platform.axis_y;
    const bool moved = std::fabs(x) > 0.001f || std::fabs(y) > 0.001f;
    if (moved && std::sqrt(x * x + y * y) > threshold)
        return {x, y};
    return {};
}

void handle_event(Platform& platform, KeyListener& listener, const platform::Event& event) {
    switch (event.kind) {
        case platform::EventKind::kKey:
            set_key(platform, listener, event.code, event.down);
            break;
        case platform::EventKind::kMouseMotion:
            move_mouse(platform, event.x, event.y, event.dx, event.dy);
            break;
        case platform::EventKind::kMouseButton:
            set_mouse_button(platform, listener, event.code, event.down);
            break;
        case platform::EventKind::kQuit:
            platform.quit_requested = true;
            break;
        default:
            handle_joystick_event(platform, listener, event);
            break;
    }
}

bool pump_events(Platform& platform, KeyListener& listener, platform::EventSource& events) {
    platform::Event event;
    while (!platform.quit_requested && events.poll(event))
        handle_event(platform, listener, event);
    return !platform.quit_requested;
}

}  // namespace tarn
