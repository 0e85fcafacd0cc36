// Shader defs as the shader loader reads them before it reaches GL: the streams, the source files
// and the uniforms. The input (see def_stream.hpp, read with the shader vocabulary, whose values
// may be tables) fills "g_shader_defs"; then every name's def is read in the loader's order.
// Compiling and linking are left out, so the target needs no display.
//
// Runs from tests/fuzz, whose data folder holds the source files that defs name.
#include <vector>

#include "fuzz/def_script.hpp"
#include "fuzz/def_stream.hpp"
#include "fuzz/fuzz_support.hpp"
#include "fuzz/script_engine.hpp"
#include "resources/shader.hpp"
#include "resources/shader_def.hpp"
#include "script/class_tables.hpp"
#include "script/script_host.hpp"

namespace tarn::fuzz {
namespace {

constexpr const char* kShaderDefTables[] = {"g_shader_defs"};

void read_uniforms(const DefTable& def) {
    std::vector<ScriptObject> items;
    if (!read_uniform_list(def, items))
        return;
    for (std::size_t i = 0; i < items.size(); ++i) {
        UniformDef uniform;
        if (!read_uniform_def(items[i], static_cast<int>(i), uniform))
            return;
    }
}

void read_shader_def(const char* name) {
    const DefTable def(find_def(Shader::class_descriptor, name));
    ShaderInputs streams;
    ShaderSources sources;
    if (!read_shader_program(def, streams, sources))
        return;
    require(validate_streams(ShaderInputs::kCustom, streams.stream_list()) == nullptr,
            "streams a def may have keep the rules of custom shaders");
    require(!sources.vertex.empty() && !sources.pixel.empty(),
            "both shaders have at least one source");
    read_uniforms(def);
}

}  // namespace
}  // namespace tarn::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    using namespace tarn;
    fuzz::start_script_engine();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarn;
    HSQUIRRELVM vm = script_host().vm();
    const fuzz::DefInput input = fuzz::DefReader(data, size, fuzz::kShaderDefs).read();
    for (const fuzz::DefEntry& entry : input.entries)
        fuzz::define(vm, fuzz::kShaderDefTables[0], entry, fuzz::kShaderDefs);
    for (const char* name : fuzz::kDefNames)
        fuzz::read_shader_def(name);
    fuzz::clear_defs(vm, fuzz::kShaderDefTables);
    return 0;
}
