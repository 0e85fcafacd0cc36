#include "resources/shader.hpp"

#include <vector>

#include "core/log.hpp"
#include "core/message.hpp"
#include "render/glsl.hpp"
#include "render/renderer.hpp"
#include "resources/def_table.hpp"
#include "resources/shader_def.hpp"

namespace tarn {

ClassDescriptor Shader::class_descriptor("Shader", &EngineObject::class_descriptor,
                                         "shader_def_to_obj", "g_shader_defs", nullptr,
                                         []() -> EngineObject* { return new Shader; });

// Carries one load of a shader from its def: streams, sources, program, then uniforms.
class ShaderLoader {
public:
    explicit ShaderLoader(Shader& shader)
        : s_(shader), def_(shader.get_def()), name_(shader.get_def_name()) {}

    bool run();

private:
    bool build_program(GlslObject& program);
    bool read_uniforms(const CurrentProgramScope& program);
    bool add_uniform(const CurrentProgramScope& program, const UniformDef& def);

    Shader& s_;
    DefTable def_;
    SharedString name_;
};

Shader::~Shader() {
    clear();
}

void Shader::clear() {
    renderer().forget_shader(inputs_);
    delete_glsl(inputs_.program);
    inputs_ = ShaderInputs();
    uniforms_ = {};
    uniform_count_ = 0;
}

bool Shader::load() {
    clear();
    if (!ShaderLoader(*this).run()) {
        clear();
        set_load_state(kFailed);
        log_message(message("Unable to load shader '%1'.", get_def_name()));
        return false;
    }
    inputs_.kind = ShaderInputs::kCustom;
    if (const char* broken = validate_streams(inputs_)) {
        log_message(broken);
        clear();
        set_load_state(kFailed);
        return false;
    }
    set_load_state(kLoaded);
    return true;
}

bool ShaderLoader::run() {
    GlslObject program;
    if (!build_program(program))
        return false;
    if (!read_uniforms(CurrentProgramScope(program.get())))
        return false;
    s_.inputs_.program = program.release();
    return true;
}

bool ShaderLoader::build_program(GlslObject& program) {
    ShaderSources sources;
    if (!read_shader_program(def_, s_.inputs_, sources))
        return false;
    GlslObject vertex = compile_glsl(sources.vertex, true);
    if (!vertex)
        return false;
    GlslObject pixel = compile_glsl(sources.pixel, false);
    if (!pixel)
        return false;
    program = link_glsl(s_.streams(), std::move(vertex), std::move(pixel));
    return static_cast<bool>(program);
}

bool ShaderLoader::read_uniforms(const CurrentProgramScope& program) {
    std::vector<ScriptObject> items;
    if (!read_uniform_list(def_, items))
        return false;
    for (std::size_t i = 0; i < items.size(); ++i) {
        UniformDef uniform;
        if (!read_uniform_def(items[i], static_cast<int>(i), uniform) ||
            !add_uniform(program, uniform))
            return false;
    }
    return true;
}

bool ShaderLoader::add_uniform(const CurrentProgramScope& program, const UniformDef& def) {
    const int property = renderer().find_or_add_property(def.property_name.data());
    const GLint location = program.uniform_location(def.name.data());
    if (location < 0) {
        log_message(message("Shader '%1': Unused uniform '%2'.", name_, def.name));
        return true;
    }
    const ShaderUniform uniform{def.name,
                                def.type | (static_cast<std::uint32_t>(property) & 0xFFFF),
                                def.internal, location};
    ShaderInputs& inputs = s_.inputs_;
    if (uniform_type::is_sampler(def.type)) {
        if (inputs.sampler_count == ShaderInputs::kMaxSamplers) {
            log_message("Too many shader samplers.");
            return false;
        }
        program.set_sampler_unit(location, inputs.sampler_count);
        inputs.samplers[inputs.sampler_count++] = uniform;
        return true;
    }
    if (s_.uniform_count_ == Shader::kMaxUniforms) {
        log_message("Too many shader uniforms.");
        return false;
    }
    s_.uniforms_[s_.uniform_count_++] = uniform;
    return true;
}

}  // namespace tarn
