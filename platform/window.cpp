#include "platform/window.hpp"

#include <SDL.h>

namespace tarn::platform {

bool start_window_system() {
    return SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK | SDL_INIT_NOPARACHUTE) == 0;
}

void stop_window_system() {
    SDL_Quit();
}

std::string last_error() {
    return SDL_GetError();
}

std::optional<WindowSize> open_window(int width, int height, bool fullscreen) {
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1);
    const Uint32 flags = SDL_OPENGL | (fullscreen ? SDL_FULLSCREEN : 0);
    const SDL_Surface* surface = SDL_SetVideoMode(width, height, 32, flags);
    if (surface == nullptr)
        return std::nullopt;
    return WindowSize{surface->w, surface->h};
}

void set_window_caption(const char* title) {
    SDL_WM_SetCaption(title, title);
}

void set_window_icon(const char* bmp_path) {
    SDL_RWops* file = SDL_RWFromFile(bmp_path, "rb");
    if (file == nullptr)
        return;
    if (SDL_Surface* icon = SDL_LoadBMP_RW(file, 1)) {
        SDL_WM_SetIcon(icon, nullptr);
        SDL_FreeSurface(icon);
    }
}

void show_cursor(bool visible) {
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void swap_buffers() {
    SDL_GL_SwapBuffers();
}

bool application_active() {
    constexpr Uint8 kActive = SDL_APPINPUTFOCUS | SDL_APPACTIVE;
    return (SDL_GetAppState() & kActive) == kActive;
}

}  // namespace tarn::platform
