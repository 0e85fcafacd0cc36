#include "platform/events.hpp"

#include <SDL.h>

#include "platform/key_mapping.hpp"
#include "platform/quit_signals.hpp"

namespace tarn::platform {

namespace {

static_assert(kHatUp == SDL_HAT_UP && kHatRight == SDL_HAT_RIGHT && kHatDown == SDL_HAT_DOWN &&
              kHatLeft == SDL_HAT_LEFT);

Event button(EventKind kind, int code, bool down) {
    Event event;
    event.kind = kind;
    event.code = code;
    event.down = down;
    return event;
}

Event mouse_motion(const SDL_MouseMotionEvent& motion) {
    Event event;
    event.kind = EventKind::kMouseMotion;
    event.x = motion.x;
    event.y = motion.y;
    event.dx = motion.xrel;
    event.dy = motion.yrel;
    return event;
}

Event joystick_event(EventKind kind, int joystick, int index, int value) {
    Event event;
    event.kind = kind;
    event.joystick = joystick;
    event.index = index;
    event.value = value;
    return event;
}

// The engine's record of an SDL event, or false for events the engine ignores.
bool translate(const SDL_Event& sdl, Event& event) {
    switch (sdl.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            event = button(EventKind::kKey, key_code_of_sdl_key(sdl.key.keysym.sym),
                           sdl.type == SDL_KEYDOWN);
            return true;
        case SDL_MOUSEMOTION:
            event = mouse_motion(sdl.motion);
            return true;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            event = button(EventKind::kMouseButton, key_code_of_mouse_button(sdl.button.button),
                           sdl.type == SDL_MOUSEBUTTONDOWN);
            return true;
        case SDL_JOYAXISMOTION:
            event = joystick_event(EventKind::kJoystickAxis, sdl.jaxis.which, sdl.jaxis.axis,
                                   sdl.jaxis.value);
            return true;
        case SDL_JOYHATMOTION:
            event = joystick_event(EventKind::kJoystickHat, sdl.jhat.which, sdl.jhat.hat,
                                   sdl.jhat.value);
            return true;
        case SDL_JOYBUTTONDOWN:
        case SDL_JOYBUTTONUP:
            event =
                button(EventKind::kJoystickButton, key_code_of_joystick_button(sdl.jbutton.button),
                       sdl.type == SDL_JOYBUTTONDOWN);
            event.joystick = sdl.jbutton.which;
            return true;
        case SDL_QUIT:
            event = Event{.kind = EventKind::kQuit};
            return true;
        default:
            return false;
    }
}

}  // namespace

bool WindowEvents::poll(Event& event) {
    if (take_quit_signal()) {
        event = Event{.kind = EventKind::kQuit};
        return true;
    }
    SDL_Event sdl;
    while (SDL_PollEvent(&sdl)) {
        if (translate(sdl, event))
            return true;
    }
    return false;
}

}  // namespace tarn::platform
