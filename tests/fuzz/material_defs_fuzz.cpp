// Material defs as the PyxMaterial loader reads them. The input (see def_stream.hpp, read with the
// material vocabulary) fills "g_material_defs"; its first byte, when odd, also defines the
// placeholder texture. Every name is loaded as a PyxMaterial through the class's factory and
// released again.
//
// The shaders "phase1" (a 2D sampler for "diffuse_texture") and "phase3" (a cube-map sampler for
// "cubemap") and the textures are defined once. Shaders and textures need OpenGL: the target
// opens a small window, so it runs under an X display (tools/with-display), and from tests/fuzz,
// whose data folder holds the files that defs name.
#include <string_view>

#include "core/name_table.hpp"
#include "fuzz/def_script.hpp"
#include "fuzz/def_stream.hpp"
#include "fuzz/fuzz_support.hpp"
#include "fuzz/fuzz_window.hpp"
#include "fuzz/script_engine.hpp"
#include "resources/material.hpp"
#include "resources/resource_loading.hpp"
#include "script/class_tables.hpp"
#include "script/script_host.hpp"

namespace tarn::fuzz {
namespace {

constexpr const char* kMaterialDefTables[] = {"g_material_defs"};

constexpr std::string_view kShadersAndTextures = R"(
::g_shader_defs.phase1 <- {
  streams = [{ attribute = "gl_Vertex", type = "position3f" }, { attribute = "uv", type = "texcoord2f" }],
  uniforms = [{ name = "color", type = "texture", property_name = "diffuse_texture" }],
  vertex_shader = "data/plain.vert", pixel_shader = "data/plain.frag" };
::g_shader_defs.phase3 <- {
  streams = [{ attribute = "gl_Vertex", type = "position3f" }, { attribute = "uv", type = "texcoord2f" }],
  uniforms = [{ name = "color", type = "cubemap", property_name = "cubemap" }],
  vertex_shader = "data/plain.vert", pixel_shader = "data/plain.frag" };
::g_texture_defs.white <- { _special_ = "_white_" };
::g_texture_defs.cube <- { file = "cube.dds", cube_map = true, clampuv = true };
::g_texture_defs.broken <- { file = "missing.png" };
)";

// Defines them and keeps both shaders loaded for the whole run, so that no input compiles them.
void define_shaders_and_textures() {
    ScriptHost& host = script_host();
    const ScriptObject closure = host.compile(
        kShadersAndTextures.data(), static_cast<SQInteger>(kShadersAndTextures.size()), "defs");
    require(!closure.is_null() && host.call(closure, ScriptObject(), nullptr),
            "the target's shaders and textures are defined");
    static const auto* const kept = new ObjectRef<Shader>[2] {
        ObjectRef<Shader>(get_or_load<Shader>(host.vm(), "phase1")),
            ObjectRef<Shader>(get_or_load<Shader>(host.vm(), "phase3")),
    };
    require(kept[0] && kept[1], "the target's shaders load");
}

void set_placeholder(bool defined) {
    ScriptHost& host = script_host();
    const std::string_view code = defined
                                      ? "::g_texture_defs._invalid_ <- { _special_ = \"_white_\" };"
                                      : "delete ::g_texture_defs._invalid_;";
    const ScriptObject closure =
        host.compile(code.data(), static_cast<SQInteger>(code.size()), "placeholder");
    host.call(closure, ScriptObject(), nullptr);  // deleting a missing slot fails harmlessly
}

// A loaded material has both passes, with one slot per sampler of each pass's shader, and every
// texture it holds is of its sampler's kind.
void check_loaded(const Material& m) {
    require(m.passes().size() == 2, "a loaded material has both passes");
    const char* const ids[] = {"gbuffer", "material"};
    for (std::size_t p = 0; p < m.passes().size(); ++p) {
        const MaterialPass& pass = m.passes()[p];
        require(name_table().name(pass.id) == ids[p], "the passes come in order");
        require(pass.slot_list().size() == pass.shader->samplers().size(),
                "every sampler has its slot");
        for (const MaterialSlot& slot : pass.slot_list()) {
            const bool cube_sampler = (slot.sampler_code & 0xFFFF0000u) == uniform_type::kCubeMap;
            require(
                !slot.texture || cube_sampler == ((slot.texture->flags() & kTextureCubeMap) != 0),
                "a slot's texture fits its sampler");
        }
    }
}

void load_material(HSQUIRRELVM vm, const char* name) {
    const ObjectRef<Material> m(static_cast<Material*>(PyxMaterial::class_descriptor.factory()));
    m->set_def_name(vm, name);
    const bool loaded = m->ensure_loaded();
    require(m->load_state() == (loaded ? EngineObject::kLoaded : EngineObject::kFailed),
            "a load ends loaded or failed");
    if (loaded)
        check_loaded(*m);
    else
        require(m->passes().size() <= 2, "a failed material has at most both passes");
}

}  // namespace
}  // namespace tarn::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    using namespace tarn;
    fuzz::start_script_engine();
    fuzz::open_window();
    fuzz::define_shaders_and_textures();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarn;
    HSQUIRRELVM vm = script_host().vm();
    const fuzz::DefInput input = fuzz::DefReader(data, size, fuzz::kMaterialDefs).read();
    fuzz::set_placeholder(input.textures_format % 2 == 1);
    for (const fuzz::DefEntry& entry : input.entries)
        fuzz::define(vm, fuzz::kMaterialDefTables[0], entry, fuzz::kMaterialDefs);
    for (const char* name : fuzz::kDefNames)
        fuzz::load_material(vm, name);
    fuzz::clear_defs(vm, fuzz::kMaterialDefTables);
    fuzz::require(first_texture() == nullptr, "no texture outlives the materials");
    for (const char* name : fuzz::kDefNames)
        fuzz::require(cache_lookup(Material::class_descriptor, name) == nullptr,
                      "no released material stays in a cache");
    return 0;
}
