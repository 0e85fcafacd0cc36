#pragma once

#include <GL/glew.h>

#include <array>
#include <cstdint>

namespace tarn {

// A vertex input of a shader: the attribute it feeds and the element code it expects.
struct ShaderStream {
    const char* attribute = "";
    std::uint32_t format = 0;
};

// What the renderer needs to know of a shader to bind it and feed its vertex streams: fixed
// function (kind 1) or a custom GLSL program (kind 2) with up to four streams.
struct ShaderInputs {
    enum Kind : std::int32_t { kFixed = 1, kCustom = 2 };
    static constexpr int kMaxStreams = 4;

    std::int32_t kind = kFixed;
    GLuint program = 0;
    std::array<ShaderStream, kMaxStreams> streams{};
    int stream_count = 0;
};

}  // namespace tarn
