#pragma once

#include <GL/glew.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>

#include "app/singletons.hpp"

namespace tarn::test {

// The engine singletons that textures reach, made once for this process.
inline void ensure_singletons() {
    static const bool created = (create_singletons(), true);
    (void)created;
}

// A small OpenGL window shared by the drawing tests of this process, with the engine singletons
// that textures reach.
class GlWindow {
public:
    static constexpr int kSize = 64;

    // Null when no display is available.
    static GlWindow* get() {
        static GlWindow* window = open();
        return window;
    }

    // The RGB bytes at (x, y) counted from the top-left corner.
    std::array<int, 3> pixel(int x, int y) const {
        std::array<std::uint8_t, 4> rgba{};
        glReadBuffer(GL_BACK);
        glReadPixels(x, kSize - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        return {rgba[0], rgba[1], rgba[2]};
    }

private:
    static GlWindow* open() {
        ensure_singletons();
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE) != 0)
            return nullptr;
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        if (SDL_SetVideoMode(kSize, kSize, 32, SDL_OPENGL) == nullptr)
            return nullptr;
        if (glewInit() != GLEW_OK)
            return nullptr;
        return new GlWindow();
    }
};

// Near enough for colours that went through 8-bit blending.
inline ::testing::AssertionResult color_near(const std::array<int, 3>& actual,
                                             const std::array<int, 3>& expected,
                                             int tolerance = 3) {
    for (int i = 0; i < 3; ++i) {
        if (std::abs(actual[i] - expected[i]) > tolerance) {
            return ::testing::AssertionFailure()
                   << "pixel (" << actual[0] << ", " << actual[1] << ", " << actual[2]
                   << ") is not near (" << expected[0] << ", " << expected[1] << ", " << expected[2]
                   << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace tarn::test
