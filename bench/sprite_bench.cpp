#include "sprite_bench.hpp"

#include <SDL.h>

#include <cstdio>
#include <string>

#include "app/script_api.hpp"
#include "resources/resource_loading.hpp"

namespace bench {

namespace {

bool open_window(int width, int height) {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE) != 0)
        return false;
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (SDL_SetVideoMode(width, height, 32, SDL_OPENGL) == nullptr)
        return false;
    tarn::Renderer::start_gl();
    return true;
}

bool run(tarn::ScriptHost& host, const std::string& code) {
    tarn::ScriptObject closure =
        host.compile(code.c_str(), static_cast<SQInteger>(code.size()), "bench");
    return !closure.is_null() && host.call(closure, tarn::ScriptObject(), nullptr);
}

}  // namespace

SpriteBench::~SpriteBench() {
    sprite_.reset();
    renderer().shutdown();
}

bool SpriteBench::start(int width, int height) {
    if (!open_window(width, height)) {
        std::fprintf(stderr, "no OpenGL window\n");
        return false;
    }
    tarn::Renderer& r = renderer();
    r.reset_after_video_mode();
    r.set_window_view(width, height);
    r.init_gl();
    host_.start(tarn::engine_registrations());
    if (!run(host_,
             "::g_texture_defs.sheet <- { dynamic = true, width = 64, height = 64,"
             " format = \"rgba\" };"
             "::g_sprite_defs.s <- { texture = \"sheet\", rect = [0, 0, 16, 16],"
             " pivot = \"center\" };")) {
        std::fprintf(stderr, "defs failed\n");
        return false;
    }
    sprite_.reset(tarn::get_or_load<tarn::Sprite>(host_.vm(), "s"));
    if (!sprite_) {
        std::fprintf(stderr, "sprite failed to load\n");
        return false;
    }
    return true;
}

void SpriteBench::swap_buffers() {
    SDL_GL_SwapBuffers();
}

}  // namespace bench
