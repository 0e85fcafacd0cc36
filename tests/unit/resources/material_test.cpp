// PyxMaterials loaded on a real GL context from defs the tests write: both passes with their
// shaders and texture slots, the gloss, the placeholder texture, and every load message.
#include "resources/material.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/name_table.hpp"
#include "render/renderer.hpp"
#include "resources/resource_loading.hpp"
#include "script/class_tables.hpp"
#include "support/log_capture.hpp"
#include "support/script_vm.hpp"
#include "support/temp_dir.hpp"
#include "unit/render/gl_window.hpp"
#include "unit/resources/image_test_files.hpp"

namespace tarn::test {
namespace {

using Lines = std::vector<std::string>;

// "phase1" samples two textures and one internal buffer; "phase3" a cube map and a texture.
constexpr const char* kSetup = R"(
::g_shader_defs.phase1 <- {
  streams = [{ attribute = "gl_Vertex", type = "position3f" }],
  uniforms = [{ name = "d", type = "texture", property_name = "diffuse_texture" },
              { name = "b", type = "texture", property_name = "normal_buffer", internal = true },
              { name = "n", type = "texture", property_name = "normal_texture" }],
  vertex_shader = "plain.vert", pixel_shader = "phase1.frag" };
::g_shader_defs.phase3 <- {
  streams = [{ attribute = "gl_Vertex", type = "position3f" }],
  uniforms = [{ name = "e", type = "cubemap", property_name = "cubemap" },
              { name = "s", type = "texture", property_name = "specular_texture" }],
  vertex_shader = "plain.vert", pixel_shader = "phase3.frag" };
::g_texture_defs.white <- { _special_ = "_white_" };
::g_texture_defs.cube <- { file = "cube.dds", cube_map = true, clampuv = true };
)";

constexpr const char* kPhase1 =
    "uniform sampler2D d, b, n; void main() { vec2 c = vec2(0.5);\n"
    "  gl_FragColor = texture2D(d, c) + texture2D(b, c) + texture2D(n, c); }\n";
constexpr const char* kPhase3 =
    "uniform samplerCube e; uniform sampler2D s;\n"
    "void main() { gl_FragColor = textureCube(e, vec3(1.0)) + texture2D(s, vec2(0.5)); }\n";

// Every texture key of the two shaders.
constexpr const char* kAllTextures =
    "diffuse_texture = \"white\", normal_texture = \"white\", cubemap = \"cube\", "
    "specular_texture = \"white\"";

class MaterialTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (GlWindow::get() == nullptr)
            GTEST_SKIP() << "no display";
        previous_dir_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_.path());
        std::filesystem::create_directory("data");
        const std::vector<std::uint8_t> cube = encode_dds(DdsHeader().cube_map(), 6 * 8);
        std::ofstream("data/cube.dds", std::ios::binary)
            .write(reinterpret_cast<const char*>(cube.data()), std::streamsize(cube.size()));
        std::ofstream("plain.vert") << "void main() { gl_Position = gl_Vertex; }\n";
        std::ofstream("phase1.frag") << kPhase1;
        std::ofstream("phase3.frag") << kPhase3;
        vm_ = std::make_unique<ScriptVm>();
        ASSERT_TRUE(vm_->run(kSetup));
    }
    void TearDown() override {
        if (!vm_)
            return;
        vm_.reset();
        std::filesystem::current_path(previous_dir_);
    }

    // A new PyxMaterial, made by its factory, of the def (script table text) under "m", loaded.
    ObjectRef<Material> load(const std::string& def) {
        if (!vm_->run("::g_material_defs.m <- " + def + ";"))
            ADD_FAILURE() << "bad def " << def;
        ObjectRef<Material> m(static_cast<Material*>(PyxMaterial::class_descriptor.factory()));
        m->set_def_name(vm_->vm(), "m");
        m->ensure_loaded();
        return m;
    }

    TempDir dir_;
    std::filesystem::path previous_dir_;
    std::unique_ptr<ScriptVm> vm_;
};

// The texture def name of a slot ("-" for none) and the render property of its sampler.
std::string slot_text(const MaterialSlot& slot) {
    const std::string texture = slot.texture ? slot.texture->get_def_name().data() : "-";
    return texture + " " + renderer().render_property_name(slot.sampler_code & 0xFFFF).data();
}

TEST_F(MaterialTest, BothPassesGetTheirShadersTexturesAndTheGloss) {
    LogCapture log;
    const ObjectRef<Material> m =
        load(std::string("{ shader = \"std\", gloss = 0.25, ") + kAllTextures + " }");
    ASSERT_EQ(m->load_state(), EngineObject::kLoaded);
    EXPECT_EQ(log.lines(), Lines{});
    EXPECT_FLOAT_EQ(m->gloss(), 0.25f);
    struct Expected {
        const char* id;
        const char* shader;
        Lines slots;
    };
    const Expected passes[] = {
        {"gbuffer", "phase1", {"white diffuse_texture", "- normal_buffer", "white normal_texture"}},
        {"material", "phase3", {"cube cubemap", "white specular_texture"}},
    };
    ASSERT_EQ(m->passes().size(), std::size(passes));
    for (std::size_t p = 0; p < std::size(passes); ++p) {
        const MaterialPass& pass = m->passes()[p];
        EXPECT_EQ(name_table().name(pass.id), passes[p].id);
        EXPECT_EQ(pass.shader.get(), cache_lookup(Shader::class_descriptor, passes[p].shader));
        Lines slots;
        for (std::size_t i = 0; i < pass.slot_list().size(); ++i) {
            slots.push_back(slot_text(pass.slot_list()[i]));
            EXPECT_EQ(pass.slot_list()[i].sampler_code, pass.shader->samplers()[i].code);
        }
        EXPECT_EQ(slots, passes[p].slots) << passes[p].id;
    }
}

TEST_F(MaterialTest, LoadProblemsAreLoggedAndKeepThePassesAddedSoFar) {
    auto failure = [](Lines lines) {
        lines.insert(lines.end(),
                     {"Unable to load material 'm'.", "Error: PyxMaterial 'm' failed to load."});
        return lines;
    };
    auto missing = [](const char* property) {
        return std::string("Missing texture '") + property + "' for material 'm'.";
    };
    const std::string all = kAllTextures;
    struct Case {
        std::string def;
        const char* setup;
        bool loads;
        std::size_t passes;
        Lines log;
    };
    const Case cases[] = {
        {"{ " + all + " }", "", false, 0, failure({"Unknown shader ''."})},
        {"{ shader = \"deferred\", " + all + " }", "", false, 0,
         failure({"Unknown shader 'deferred'."})},
        {"{ shader = \"std\", " + all + " }", "delete ::g_shader_defs.phase3;", false, 0,
         failure({"Shader: Can't load 'phase3', def not found."})},
        {"{ shader = \"std\", " + all + ", diffuse_texture = \"cube\" }", "", false, 1,
         failure({"Incompatible texture 'cube' format for material 'm'."})},
        {"{ shader = \"std\", " + all + ", cubemap = \"white\" }", "", false, 2,
         failure({"Incompatible texture 'white' format for material 'm'."})},
        {"{ shader = \"std\", " + all + ", specular_texture = \"gone\" }", "", false, 2,
         failure({"Texture: Can't load 'gone', def not found.",
                  "Error loading texture for material 'm'."})},
        {"{ shader = \"std\" }",
         "",
         true,
         2,
         {missing("diffuse_texture"), missing("normal_texture"), missing("cubemap"),
          missing("specular_texture")}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(vm_->run(std::string(kSetup) + c.setup));
        LogCapture log;
        const ObjectRef<Material> m = load(c.def);
        EXPECT_EQ(m->load_state(), c.loads ? EngineObject::kLoaded : EngineObject::kFailed)
            << c.def;
        EXPECT_EQ(m->passes().size(), c.passes) << c.def;
        EXPECT_EQ(log.lines(), c.log) << c.def;
        EXPECT_FLOAT_EQ(m->gloss(), 1.0f) << c.def;
    }
}

TEST_F(MaterialTest, PlaceholderTextureStandsInForATextureThatFails) {
    ASSERT_TRUE(
        vm_->run("::g_texture_defs._invalid_ <- { _special_ = \"_white_\" };"
                 "::g_texture_defs.broken <- { file = \"none.png\" };"));
    LogCapture log;
    const ObjectRef<Material> m = load("{ shader = \"std\", " + std::string(kAllTextures) +
                                       ", specular_texture = \"broken\" }");
    ASSERT_EQ(m->load_state(), EngineObject::kLoaded);
    // The texture that failed is gone: what answers for its name is the placeholder.
    const Texture* placeholder = m->passes()[1].slot_list()[1].texture.get();
    ASSERT_NE(placeholder, nullptr);
    EXPECT_EQ(placeholder, cache_lookup(Texture::class_descriptor, "broken"));
    EXPECT_EQ(placeholder->load_state(), EngineObject::kLoaded);
    // Only the texture's own failure is logged, nothing of the material.
    ASSERT_FALSE(log.lines().empty());
    EXPECT_EQ(log.lines().back(), "Error: Texture 'broken' failed to load.");
}

TEST_F(MaterialTest, EveryMaterialClassSeesTheSameDefsAndLoadedObjects) {
    ASSERT_TRUE(vm_->run(std::string("::g_material_defs.shared <- { shader = \"std\", ") +
                         kAllTextures + " };"));
    for (const ClassDescriptor* cls : {&Material::class_descriptor, &PyxMaterial::class_descriptor})
        EXPECT_FALSE(find_def(*cls, "shared").is_null()) << cls->name;
    const ObjectRef<EngineObject> m(
        get_or_load(vm_->vm(), PyxMaterial::class_descriptor, "shared", false));
    ASSERT_TRUE(m);
    EXPECT_EQ(cache_lookup(Material::class_descriptor, "shared"), m.get());
}

TEST(MaterialSamplerTest, TexturesFitSamplersOfTheirKindOnly) {
    struct Case {
        std::uint32_t code;
        bool cube_map;
        Lines log;
    };
    const std::string incompatible = "Incompatible texture 't' format for material 'm'.";
    const Case cases[] = {
        {0x10009, false, {}},
        {0x10009, true, {incompatible}},
        {0x20007, true, {}},
        {0x20007, false, {incompatible}},
        {0x40000, false, {"Unsupported texture type 262144."}},
        {0x3000E, true, {"Unsupported texture type 196608."}},
    };
    for (const Case& c : cases) {
        LogCapture log;
        EXPECT_EQ(texture_fits_sampler(c.code, c.cube_map, SharedString("t"), SharedString("m")),
                  c.log.empty())
            << c.code;
        EXPECT_EQ(log.lines(), c.log) << c.code;
    }
}

}  // namespace
}  // namespace tarn::test
