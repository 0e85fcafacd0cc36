#include "platform/key_mapping.hpp"

#include <SDL_keysym.h>
#include <SDL_mouse.h>

#include "platform/key_codes.hpp"

namespace tarn::platform {

namespace {

// SDL keys that move to a different engine code, in SDL's order.
struct KeyRename {
    int sdl_key;
    int code;
};

constexpr KeyRename kRenamedKeys[] = {
    {SDLK_DELETE, key::kDelete},
    {SDLK_KP_PERIOD, key::kNumpadPeriod},
    {SDLK_KP_DIVIDE, key::kNumpadDivide},
    {SDLK_KP_MULTIPLY, key::kNumpadMultiply},
    {SDLK_KP_MINUS, key::kNumpadMinus},
    {SDLK_KP_PLUS, key::kNumpadPlus},
    {SDLK_KP_ENTER, key::kNumpadEnter},
    {SDLK_KP_EQUALS, key::kNumpadEquals},
    {SDLK_UP, key::kUp},
    {SDLK_DOWN, key::kDown},
    {SDLK_RIGHT, key::kRight},
    {SDLK_LEFT, key::kLeft},
    {SDLK_INSERT, key::kInsert},
    {SDLK_HOME, key::kHome},
    {SDLK_END, key::kEnd},
    {SDLK_PAGEUP, key::kPageUp},
    {SDLK_PAGEDOWN, key::kPageDown},
    {SDLK_RSHIFT, key::kRightShift},
    {SDLK_LSHIFT, key::kLeftShift},
    {SDLK_RCTRL, key::kRightCtrl},
    {SDLK_LCTRL, key::kLeftCtrl},
    {SDLK_RALT, key::kRightAlt},
    {SDLK_LALT, key::kLeftAlt},
    {SDLK_LMETA, key::kLeftCmd},
    {SDLK_RMETA, key::kRightCmd},
};

// Control keys and printable ASCII keep their SDL value.
bool keeps_sdl_value(int sdl_key) {
    return sdl_key == SDLK_BACKSPACE || sdl_key == SDLK_TAB || sdl_key == SDLK_RETURN ||
           sdl_key == SDLK_ESCAPE || (sdl_key >= SDLK_SPACE && sdl_key <= 126);
}

}  // namespace

int key_code_of_sdl_key(int sdl_key) {
    if (keeps_sdl_value(sdl_key))
        return sdl_key;
    if (sdl_key >= SDLK_KP0 && sdl_key <= SDLK_KP9)
        return key::kNumpad0 + (sdl_key - SDLK_KP0);
    if (sdl_key >= SDLK_F1 && sdl_key <= SDLK_F15)
        return key::kF1 + (sdl_key - SDLK_F1);
    for (const KeyRename& rename : kRenamedKeys) {
        if (rename.sdl_key == sdl_key)
            return rename.code;
    }
    return key::kNone;
}

int key_code_of_mouse_button(int button) {
    switch (button) {
        case SDL_BUTTON_LEFT:
            return key::kMouseLeft;
        case SDL_BUTTON_RIGHT:
            return key::kMouseRight;
        case SDL_BUTTON_MIDDLE:
            return key::kMouseMiddle;
        case SDL_BUTTON_WHEELUP:
            return key::kMouseWheelUp;
        case SDL_BUTTON_WHEELDOWN:
            return key::kMouseWheelDown;
        default:
            return key::kNone;
    }
}

int key_code_of_joystick_button(int button) {
    if (button < 0 || button >= key::kJoyButtonCount)
        return key::kNone;
    return key::kJoy0 + button;
}

}  // namespace tarn::platform
