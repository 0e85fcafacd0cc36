#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "render/shader_inputs.hpp"
#include "script/engine_object.hpp"

namespace tarn {

// A GLSL program from "g_shader_defs": its vertex streams bound to attribute names, the program
// linked from vertex and pixel shader source files, and its samplers and value uniforms tied to
// render properties. Destroying it deletes the program.
class Shader : public EngineObject {
public:
    static constexpr int kMaxUniforms = 8;

    static ClassDescriptor class_descriptor;

    Shader() = default;
    ~Shader() override;
    const ClassDescriptor& descriptor() const override { return class_descriptor; }

    // Loads from the def; on failure logs why and "Unable to load shader '...'.".
    bool load() override;

    std::int32_t kind() const { return inputs_.kind; }
    GLuint program() const { return inputs_.program; }
    // What the renderer binds.
    const ShaderInputs& inputs() const { return inputs_; }
    std::span<const ShaderStream> streams() const { return inputs_.stream_list(); }
    // Sampler i reads texture unit i.
    std::span<const ShaderUniform> samplers() const {
        return {inputs_.samplers.data(), static_cast<std::size_t>(inputs_.sampler_count)};
    }
    std::span<const ShaderUniform> uniforms() const {
        return {uniforms_.data(), static_cast<std::size_t>(uniform_count_)};
    }

private:
    friend class ShaderLoader;

    // Back to no streams, samplers, uniforms or program.
    void clear();

    ShaderInputs inputs_;
    std::array<ShaderUniform, kMaxUniforms> uniforms_{};
    int uniform_count_ = 0;
};

}  // namespace tarn
