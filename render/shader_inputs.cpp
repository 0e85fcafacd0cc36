#include "render/shader_inputs.hpp"

#include "core/log.hpp"
#include "render/vertex_format.hpp"

namespace tarn {

namespace {

constexpr int kFixedSemantics = 4;

const char* fixed_semantics_rule(std::span<const ShaderStream> streams) {
    std::array<bool, kFixedSemantics> used{};
    for (const ShaderStream& stream : streams) {
        const int semantic = element_code::semantic(stream.format);
        if (semantic >= kFixedSemantics)
            return "Fixed shader must use only streams with fixed semantic.";
        if (used[semantic])
            return "Fixed shader has two or more streams with same semantic.";
        used[semantic] = true;
    }
    return nullptr;
}

}  // namespace

const char* validate_streams(std::int32_t kind, std::span<const ShaderStream> streams) {
    if (streams.empty())
        return "Shader must have at least one stream.";
    if (element_code::semantic(streams[0].format) != static_cast<int>(Semantic::kPosition))
        return "First shader stream must be position stream.";
    const bool fixed = kind == ShaderInputs::kFixed;
    if (streams.size() > ShaderInputs::kMaxStreams) {
        return fixed ? "Fixed shader can't use more streams than the number of available fixed "
                       "streams."
                     : "Custom shader can't use more streams than the number of available "
                       "custom streams.";
    }
    return fixed ? fixed_semantics_rule(streams) : nullptr;
}

bool build_fixed_shader(std::initializer_list<ShaderStream> streams, ShaderInputs& out) {
    if (const char* broken = validate_streams(ShaderInputs::kFixed, streams)) {
        log_message(broken);
        return false;
    }
    ShaderInputs shader;
    shader.kind = ShaderInputs::kFixed;
    for (const ShaderStream& stream : streams)
        shader.streams[shader.stream_count++] = stream;
    shader.samplers[0] = {SharedString(), ShaderInputs::kDefaultSamplerCode, false, -1};
    shader.sampler_count = 1;
    out = std::move(shader);
    return true;
}

}  // namespace tarn
