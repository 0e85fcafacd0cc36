// Full cost per frame of drawing 10,000 sprites through the renderer: quad emission, batch
// flushes, the GL draw calls and the buffer swap. Needs a display (Xvfb is fine).
//
//   bench_sprite_draw [FRAMES]
#include <GL/glew.h>
#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/script_api.hpp"
#include "app/singletons.hpp"
#include "render/renderer.hpp"
#include "resources/resource_loading.hpp"
#include "resources/sprite.hpp"
#include "resources/sprite_quad.hpp"
#include "script/script_host.hpp"

namespace {

constexpr int kSprites = 10000;

bool open_window() {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE) != 0)
        return false;
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (SDL_SetVideoMode(640, 480, 32, SDL_OPENGL) == nullptr || glewInit() != GLEW_OK)
        return false;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 640, 480, 0, -1, 1);
    return true;
}

bool run(tarn::ScriptHost& host, const std::string& code) {
    tarn::ScriptObject closure =
        host.compile(code.c_str(), static_cast<SQInteger>(code.size()), "bench");
    return !closure.is_null() && host.call(closure, tarn::ScriptObject(), nullptr);
}

void draw_frame(tarn::Renderer& renderer, const tarn::Sprite& sprite, int frame) {
    renderer.begin_frame();
    const tarn::PackedColor color{255, 255, 255, 255};
    for (int i = 0; i < kSprites; ++i) {
        const float x = static_cast<float>((i * 37 + frame) % 640);
        const float y = static_cast<float>((i * 11) % 480);
        tarn::emit_sprite_quad(renderer, tarn::Affine2::translation(x, y), sprite, 0, color);
    }
    renderer.end_frame();
    SDL_GL_SwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 200;
    tarn::create_singletons();
    if (!open_window()) {
        std::fprintf(stderr, "no OpenGL window\n");
        return 1;
    }
    tarn::ScriptHost host;
    host.start(tarn::engine_registrations());
    if (!run(host,
             "::g_texture_defs.sheet <- { dynamic = true, width = 64, height = 64,"
             " format = \"rgba\" };"
             "::g_sprite_defs.s <- { texture = \"sheet\", rect = [0, 0, 16, 16],"
             " pivot = \"center\" };")) {
        std::fprintf(stderr, "defs failed\n");
        return 1;
    }
    tarn::Renderer renderer;
    renderer.reset_after_video_mode();
    renderer.init_gl();
    tarn::ObjectRef<tarn::Sprite> sprite(tarn::get_or_load<tarn::Sprite>(host.vm(), "s"));
    if (!sprite) {
        std::fprintf(stderr, "sprite failed to load\n");
        return 1;
    }
    draw_frame(renderer, *sprite, 0);
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    for (int f = 0; f < frames; ++f)
        draw_frame(renderer, *sprite, f);
    glFinish();
    const std::chrono::duration<double, std::milli> spent =
        std::chrono::steady_clock::now() - start;
    std::printf("%d sprites: %.3f ms per frame over %d frames\n", kSprites, spent.count() / frames,
                frames);
    sprite.reset();
    renderer.shutdown();
    return 0;
}
