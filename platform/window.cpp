#include "platform/window.hpp"

#include <SDL.h>
#include <SDL_syswm.h>

namespace tarn::platform {

namespace {

// The window system's connection to the X server; null before it starts.
Display* window_display() {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    return SDL_GetWMInfo(&info) == 1 ? info.info.x11.display : nullptr;
}

bool fits_an_icon(int side) {
    return side >= 1 && side <= kMaxIconSide;
}

}  // namespace

bool start_window_system(XFailureHandler on_failure) {
    // First, so that the window system's handlers pass on to ours what they do not handle.
    install_x_error_handlers(on_failure);
    return SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK | SDL_INIT_NOPARACHUTE) == 0;
}

void stop_window_system() {
    SDL_Quit();
}

std::string last_error() {
    return SDL_GetError();
}

std::optional<PixelSize> open_window(int width, int height, bool fullscreen) {
    // Larger sides would wrap around in the X protocol. The window system checks the rest.
    if (width > kMaxWindowSide || height > kMaxWindowSide) {
        SDL_SetError("window sides are limited to %d pixels", kMaxWindowSide);
        return std::nullopt;
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1);
    const Uint32 flags = SDL_OPENGL | (fullscreen ? SDL_FULLSCREEN : 0);
    XErrorTrap trap(window_display());
    const SDL_Surface* surface = SDL_SetVideoMode(width, height, 32, flags);
    if (const std::optional<std::string> x_error = trap.finish()) {
        // The window system was left half-way through the change; restarted, it can try another
        // mode. The icon is lost with it.
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_InitSubSystem(SDL_INIT_VIDEO);
        SDL_SetError("%s", x_error->c_str());
        return std::nullopt;
    }
    if (surface == nullptr)
        return std::nullopt;
    return PixelSize{surface->w, surface->h};
}

void set_window_caption(const char* title) {
    SDL_WM_SetCaption(title, title);
}

std::optional<PixelSize> set_window_icon(const char* bmp_path) {
    SDL_RWops* file = SDL_RWFromFile(bmp_path, "rb");
    if (file == nullptr)
        return std::nullopt;
    SDL_Surface* icon = SDL_LoadBMP_RW(file, 1);
    if (icon == nullptr)
        return std::nullopt;
    std::optional<PixelSize> refused;
    if (fits_an_icon(icon->w) && fits_an_icon(icon->h)) {
        SDL_WM_SetIcon(icon, nullptr);
    } else {
        refused = PixelSize{icon->w, icon->h};
    }
    SDL_FreeSurface(icon);
    return refused;
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
