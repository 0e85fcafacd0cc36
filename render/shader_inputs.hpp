#pragma once

#include <GL/glew.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>

#include "core/shared_string.hpp"

namespace tarn {

// A vertex input of a shader: the attribute it feeds and the element code it expects. The name
// is only read when a program is linked; binding looks at the format alone.
struct ShaderStream {
    SharedString attribute;
    std::uint32_t format = 0;
};

// A uniform of a shader: its GLSL name, its code (uniform type in the high half, render-property
// index in the low 16 bits), whether the renderer fills it itself, and its GL location.
struct ShaderUniform {
    SharedString name;
    std::uint32_t code = 0;
    bool internal = false;
    GLint location = -1;
};

// Uniform types, as the high half of a uniform code.
namespace uniform_type {
inline constexpr std::uint32_t kTexture = 0x10000;
inline constexpr std::uint32_t kCubeMap = 0x20000;
inline constexpr std::uint32_t kFloat = 0x40000;
inline constexpr std::uint32_t kVector3f = 0x80000;
inline constexpr std::uint32_t kVector4f = 0x100000;
inline constexpr std::uint32_t kVector4fArray = 0x200000;

inline constexpr bool is_sampler(std::uint32_t code) {
    return (code & (kTexture | kCubeMap)) != 0;
}
}  // namespace uniform_type

// What the renderer needs to know of a shader to bind it, feed its vertex streams and fill its
// samplers: fixed function (kind 1) or a custom GLSL program (kind 2), up to four streams and up
// to five samplers (sampler i reads texture unit i).
struct ShaderInputs {
    enum Kind : std::int32_t { kFixed = 1, kCustom = 2 };
    static constexpr int kMaxStreams = 4;
    static constexpr int kMaxSamplers = 5;
    // The sampler of fixed shaders: the 2D texture of render property 1, "color".
    static constexpr std::uint32_t kDefaultSamplerCode = uniform_type::kTexture | 1;

    std::int32_t kind = kFixed;
    GLuint program = 0;
    std::array<ShaderStream, kMaxStreams> streams{};
    int stream_count = 0;
    std::array<ShaderUniform, kMaxSamplers> samplers{};
    int sampler_count = 0;

    std::span<const ShaderStream> stream_list() const {
        return {streams.data(), static_cast<std::size_t>(stream_count)};
    }
};

// The first rule that streams of a shader of kind break, as the message to log; null when they
// keep them all. Every shader needs a position stream first and at most four streams; a fixed
// shader may use only the fixed semantics (position, normal, colour, texture coordinates), each
// once.
const char* validate_streams(std::int32_t kind, std::span<const ShaderStream> streams);
inline const char* validate_streams(const ShaderInputs& shader) {
    return validate_streams(shader.kind, shader.stream_list());
}

// A fixed-function shader on streams with the default sampler. False, after logging the broken
// rule, when the streams are not fit for one; out is then left unchanged.
bool build_fixed_shader(std::initializer_list<ShaderStream> streams, ShaderInputs& out);

}  // namespace tarn
