#include "core/input.hpp"

#include <SDL.h>

#include <cmath>

#include "platform/key_codes.hpp"
#include "platform/key_mapping.hpp"

namespace tarn {

namespace {

// SDL hat bits in the order the pad directions are reported.
struct HatDirection {
    int bit;
    int code;
};

constexpr HatDirection kHatDirections[] = {
    {SDL_HAT_UP, key::kJoyPadUp},
    {SDL_HAT_DOWN, key::kJoyPadDown},
    {SDL_HAT_LEFT, key::kJoyPadLeft},
    {SDL_HAT_RIGHT, key::kJoyPadRight},
};

bool from_open_joystick(const Platform& platform, int which) {
    return platform.joystick_open && which == platform.joy_index;
}

void handle_joystick_event(Platform& platform, KeyListener& listener, const SDL_Event& event) {
    switch (event.type) {
        case SDL_JOYAXISMOTION:
            if (from_open_joystick(platform, event.jaxis.which))
                move_joystick_axis(platform, event.jaxis.axis, event.jaxis.value);
            break;
        case SDL_JOYHATMOTION:
            if (from_open_joystick(platform, event.jhat.which) &&
                event.jhat.hat == platform.joy_pad)
                move_joystick_hat(platform, listener, event.jhat.value);
            break;
        case SDL_JOYBUTTONDOWN:
        case SDL_JOYBUTTONUP:
            if (from_open_joystick(platform, event.jbutton.which)) {
                set_key(platform, listener,
                        platform::key_code_of_joystick_button(event.jbutton.button),
                        event.type == SDL_JOYBUTTONDOWN);
            }
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

void set_mouse_button(Platform& platform, KeyListener& listener, int button, bool down) {
    set_key(platform, listener, platform::key_code_of_mouse_button(button), down);
    if (button == SDL_BUTTON_LEFT)
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

void handle_event(Platform& platform, KeyListener& listener, const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            set_key(platform, listener, platform::key_code_of_sdl_key(event.key.keysym.sym),
                    event.type == SDL_KEYDOWN);
            break;
        case SDL_MOUSEMOTION:
            move_mouse(platform, event.motion.x, event.motion.y, event.motion.xrel,
                       event.motion.yrel);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            set_mouse_button(platform, listener, event.button.button,
                             event.type == SDL_MOUSEBUTTONDOWN);
            break;
        case SDL_QUIT:
            platform.quit_requested = true;
            break;
        default:
            handle_joystick_event(platform, listener, event);
            break;
    }
}

bool pump_events(Platform& platform, KeyListener& listener) {
    SDL_Event event;
    while (!platform.quit_requested && SDL_PollEvent(&event))
        handle_event(platform, listener, event);
    return !platform.quit_requested;
}

}  // namespace tarn
