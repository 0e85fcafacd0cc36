#include "platform/synthetic_input.hpp"

#include <SDL.h>

#include "platform/key_mapping.hpp"

namespace tarn::platform {

void warp_mouse(int x, int y) {
    SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y));
}

bool push_mouse_button(int code, bool down, int x, int y) {
    for (Uint8 button = SDL_BUTTON_LEFT; button <= SDL_BUTTON_WHEELDOWN; ++button) {
        if (key_code_of_mouse_button(button) != code)
            continue;
        SDL_Event event{};
        event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        event.button.button = button;
        event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.button.x = static_cast<Uint16>(x);
        event.button.y = static_cast<Uint16>(y);
        return SDL_PushEvent(&event) == 0;
    }
    return false;
}

}  // namespace tarn::platform
