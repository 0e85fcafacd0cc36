#include "resources/shader.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/renderer.hpp"
#include "resources/resource_loading.hpp"
#include "support/log_capture.hpp"
#include "support/script_vm.hpp"
#include "support/temp_dir.hpp"
#include "unit/render/drawing_fixture.hpp"

namespace tarn::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

using Lines = std::vector<std::string>;

// The vertex shader in two files: the declarations, then main.
constexpr const char* kVertexDeclarations = "attribute vec2 uv; varying vec2 t;\n";
constexpr const char* kVertexMain = "void main() { t = uv; gl_Position = gl_Vertex; }\n";
// Red from t.x, green from the sampler "second", blue from half the red of "first".
constexpr const char* kPixel =
    "varying vec2 t; uniform sampler2D first; uniform sampler2D second;\n"
    "void main() { gl_FragColor = vec4(t.x, texture2D(second, t).g,\n"
    "                                  0.5 * texture2D(first, t).r, 1.0); }\n";
// Six samplers and nine value uniforms, all used.
constexpr const char* kManyUniformsPixel =
    "uniform sampler2D s0, s1, s2, s3, s4, s5; uniform float f0, f1, f2, f3, f4, f5, f6, f7, f8;\n"
    "void main() { vec2 c = vec2(0.5); gl_FragColor = texture2D(s0, c) + texture2D(s1, c) +\n"
    "  texture2D(s2, c) + texture2D(s3, c) + texture2D(s4, c) + texture2D(s5, c) +\n"
    "  vec4(f0 + f1 + f2 + f3 + f4 + f5 + f6 + f7 + f8); }\n";

constexpr const char* kPositionAndUv =
    "[{ attribute = \"gl_Vertex\", type = \"position3f\" },"
    " { attribute = \"uv\", type = \"texcoord2f\" }]";

// The keys of a shader def as script text, where D is the test folder; an empty text leaves the
// key out.
struct ShaderDefText {
    std::string streams = kPositionAndUv;
    std::string uniforms = "[]";
    std::string vertex = R"([D + "decl.vert", D + "main.vert"])";
    std::string pixel = R"(D + "two.frag")";
};

class ShaderTest : public DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        write_file(dir_ / "decl.vert", kVertexDeclarations);
        write_file(dir_ / "main.vert", kVertexMain);
        write_file(dir_ / "two.frag", kPixel);
        write_file(dir_ / "many.frag", kManyUniformsPixel);
        ASSERT_TRUE(vm_.run("::D <- \"" + dir_.path().string() + "/\";"));
    }

    static std::string def_text(const ShaderDefText& def) {
        std::string text = "{";
        for (const auto& [key, value] : {std::pair{"streams", def.streams},
                                         {"uniforms", def.uniforms},
                                         {"vertex_shader", def.vertex},
                                         {"pixel_shader", def.pixel}}) {
            if (!value.empty())
                text += std::string(key) + " = " + value + ", ";
        }
        return text + "}";
    }

    // Defines shader name and loads it; null when it fails.
    Shader* load(const ShaderDefText& def, const std::string& name = "s") {
        if (!vm_.run("::g_shader_defs[\"" + name + "\"] <- " + def_text(def) + ";")) {
            ADD_FAILURE() << "bad def " << def_text(def);
            return nullptr;
        }
        Shader* shader = get_or_load<Shader>(vm_.vm(), name.c_str());
        if (shader != nullptr)
            kept_.emplace_back(shader);
        return shader;
    }

    // The log of a load that fails with the given messages.
    static Lines failure(Lines messages) {
        messages.insert(messages.end(),
                        {"Unable to load shader 's'.", "Error: Shader 's' failed to load."});
        return messages;
    }

    TempDir dir_;
    ScriptVm vm_;
    std::vector<ObjectRef<Shader>> kept_;
};

struct DefErrorCase {
    const char* what;
    ShaderDefText def;
    Lines log;
};

TEST_F(ShaderTest, DefErrorsFailTheLoadWithTheirMessage) {
    const std::string position = "{ attribute = \"gl_Vertex\", type = \"position3f\" }";
    const std::string uv = "{ attribute = \"uv\", type = \"texcoord2f\" }";
    const DefErrorCase cases[] = {
        {"streams not an array", {.streams = uv}, {"The def's streams must be an array."}},
        {"no streams", {.streams = "[]"}, {"At least one shader stream must be specified."}},
        {"five streams",
         {.streams = "[" + position + ", " + uv + ", " + uv + ", " + uv + ", " + uv + "]"},
         {"Too many shader streams."}},
        {"stream not a table",
         {.streams = "[" + position + ", \"uv\"]"},
         {"Stream 1 def is invalid, must be a table."}},
        {"bad stream type",
         {.streams = "[" + position + ", { attribute = \"uv\", type = \"texcoord3f\" }]"},
         {"Invalid shader stream 1 type 'texcoord3f'."}},
        {"position not first",
         {.streams = "[" + uv + ", " + position + "]"},
         {"The first shader stream must be position stream."}},
        {"position elsewhere too",
         {.streams = "[" + position + ", " + position + "]"},
         {"Only the first shader stream can be position stream."}},
        {"position not gl_Vertex",
         {.streams = "[{ attribute = \"pos\", type = \"position3f\" }]"},
         {"Position shader stream 0 must be bound to gl_Vertex."}},
        {"no vertex shader", {.vertex = ""}, {"Vertex shader file not specified."}},
        {"vertex shader files not all strings",
         {.vertex = R"([D + "main.vert", 1])"},
         {"Vertex shader file not specified."}},
        {"pixel shader a number", {.pixel = "3"}, {"Pixel shader file not specified."}},
        {"missing source file",
         {.pixel = R"(D + "none.frag")"},
         {"Can't open file '" + (dir_ / "none.frag") + "' for reading.",
          "Can't read file '" + (dir_ / "none.frag") + "'."}},
        {"no uniforms", {.uniforms = ""}, {"The def's uniforms must be an array."}},
        {"uniform not a table",
         {.uniforms = "[7]"},
         {"Uniform 0 def is invalid, must be a table."}},
        {"bad uniform type",
         {.uniforms =
              "[{ name = \"first\", type = \"texture\" }, { name = \"x\", type = \"int\" }]"},
         {"Invalid shader uniform 1 type 'int'."}},
    };
    for (const DefErrorCase& c : cases) {
        LogCapture log;
        EXPECT_EQ(load(c.def), nullptr) << c.what;
        EXPECT_EQ(log.lines(), failure(c.log)) << c.what;
    }
}

// A log of a failed load: the header, the GLSL log (one or more lines) mentioning what, then the
// load's failure.
void expect_glsl_failure(const Lines& lines, const std::string& header, const std::string& what) {
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines.front(), header);
    std::string glsl_log;
    for (auto line = lines.begin() + 1; line != lines.end() - 2; ++line)
        glsl_log += *line + "\n";
    EXPECT_THAT(glsl_log, HasSubstr(what));
    EXPECT_THAT(Lines(lines.end() - 2, lines.end()),
                ElementsAre("Unable to load shader 's'.", "Error: Shader 's' failed to load."));
}

TEST_F(ShaderTest, CompileAndLinkErrorsLogTheGlslLogs) {
    write_file(dir_ / "no_main.vert", "void helper() {}\n");
    {
        LogCapture log;
        // Main before the declarations it uses: the sources are compiled in the order given.
        EXPECT_EQ(load({.vertex = R"([D + "main.vert", D + "decl.vert"])"}), nullptr);
        expect_glsl_failure(log.lines(), "Can't compile GLSL shader object:", "`t' undeclared");
    }
    LogCapture log;
    EXPECT_EQ(load({.vertex = R"(D + "no_main.vert")"}), nullptr);
    expect_glsl_failure(log.lines(), "Can't link GLSL program:", "main");
}

TEST_F(ShaderTest, UniformsTakeRenderPropertiesAndUnusedOnesAreSkipped) {
    LogCapture log;
    const Shader* s =
        load({.uniforms = "[{ name = \"second\", type = \"texture\", property_name = \"gloss\" },"
                          " { name = \"gone\", type = \"float\" },"
                          " { name = \"first\", type = \"texture\", internal = true,"
                          "   property_name = \"shader_test_light\" }]"});
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(log.lines(), Lines{"Shader 's': Unused uniform 'gone'."});
    ASSERT_EQ(s->samplers().size(), 2u);
    EXPECT_EQ(s->samplers()[0].name, "second");
    EXPECT_EQ(s->samplers()[0].code, 0x1000Eu) << "\"gloss\" is render property 14";
    const int light = renderer().find_or_add_property("shader_test_light");
    EXPECT_GE(light, 28) << "a new property name joins the registry";
    EXPECT_EQ(s->samplers()[1].code, static_cast<std::uint32_t>(0x10000 | light));
    EXPECT_TRUE(s->samplers()[1].internal);
    EXPECT_EQ(glGetAttribLocationARB(s->program(), "uv"), 1);
}

TEST_F(ShaderTest, SamplerAndUniformLimits) {
    auto uniforms = [](const char* prefix, const char* type, int count) {
        std::string list;
        for (int i = 0; i < count; ++i)
            list += std::string("{ name = \"") + prefix + std::to_string(i) + "\", type = \"" +
                    type + "\" },";
        return list;
    };
    const Shader* other = load({}, "other");
    ASSERT_NE(other, nullptr);
    glUseProgramObjectARB(other->program());

    const Shader* s =
        load({.uniforms = "[" + uniforms("s", "texture", 5) + uniforms("f", "vector4f", 8) + "]",
              .pixel = R"(D + "many.frag")"});
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(static_cast<GLuint>(glGetHandleARB(GL_PROGRAM_OBJECT_ARB)), other->program())
        << "loading leaves the current program as it was";
    ASSERT_EQ(s->samplers().size(), 5u);
    for (GLint unit = 0; unit < 5; ++unit) {
        GLint value = -1;
        glGetUniformivARB(s->program(), s->samplers()[unit].location, &value);
        EXPECT_EQ(value, unit);
    }
    EXPECT_EQ(s->uniforms().size(), 8u);
    glUseProgramObjectARB(0);

    kept_.clear();
    for (const auto& [list, message] :
         {std::pair{uniforms("s", "cubemap", 6), "Too many shader samplers."},
          {uniforms("f", "float", 9), "Too many shader uniforms."}}) {
        LogCapture log;
        EXPECT_EQ(load({.uniforms = "[" + list + "]", .pixel = R"(D + "many.frag")"}), nullptr);
        EXPECT_EQ(log.lines(), failure({message}));
    }
}

TEST_F(ShaderTest, ProgramDrawsFromItsStreamsAndSamplerUnits) {
    Shader* s = load({.uniforms = "[{ name = \"first\", type = \"texture\" },"
                                  " { name = \"second\", type = \"texture\" }]"});
    ASSERT_NE(s, nullptr);
    clear_frame({0.0f, 0.0f, 0.0f});

    struct Vertex {
        float x, y, z, u, v;
    };
    const Vertex quad[] = {{-1, -1, 0, 0.25f, 0.75f},
                           {1, -1, 0, 0.25f, 0.75f},
                           {-1, 1, 0, 0.25f, 0.75f},
                           {1, 1, 0, 0.25f, 0.75f}};
    VertexLayout layout;
    layout.elements[0] = {element_code::kPosition3f, 0, 0};
    layout.elements[1] = {element_code::kTexCoord2f, 0, 12};
    layout.count = 2;
    renderer_.textures().bind(0, red_.get());
    renderer_.textures().bind(1, green_.get());
    renderer_.bind_shader(&s->inputs());
    renderer_.bind_streams(layout, 0, quad, sizeof(Vertex));
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    EXPECT_TRUE(color_near(pixel(32, 32), {64, 255, 128}));
    renderer_.bind_shader(nullptr);
    renderer_.streams().disable_all_arrays();

    // Going away while current: the renderer lets go of it and the program is deleted.
    const GLuint program = s->program();
    renderer().bind_shader(&s->inputs());
    kept_.clear();
    EXPECT_EQ(renderer().streams().current_shader(), nullptr);
    EXPECT_FALSE(glIsProgram(program));
}

}  // namespace
}  // namespace tarn::test
