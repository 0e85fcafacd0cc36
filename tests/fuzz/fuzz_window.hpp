#pragma once

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "app/video.hpp"
#include "core/cvar_list.hpp"
#include "render/renderer.hpp"

namespace tarn::fuzz {

// A small window with an OpenGL context and a started renderer, for targets whose loaders need
// GL; they run under an X display (tools/with-display).
inline void open_window() {
    cvar_list().set_string("video_mode", SharedString("64 64 0"));
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE) != 0) {
        std::fprintf(stderr, "This target needs an X display: %s\n", SDL_GetError());
        std::exit(1);
    }
    setup_video();
    renderer().init_gl();
}

}  // namespace tarn::fuzz
