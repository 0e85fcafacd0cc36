#include "render/shader_inputs.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/log_capture.hpp"

namespace tarn {
namespace {

constexpr std::uint32_t kPos2 = 0x620, kPos3 = 0x630, kNormal = 0x631, kColor = 0x1142, kUv = 0x623,
                        kTangent = 0x644;

struct StreamRuleCase {
    std::int32_t kind;
    std::vector<std::uint32_t> formats;
    const char* broken;  // null: the streams keep every rule
};

TEST(ShaderStreamRules, FirstBrokenRuleIsReported) {
    constexpr auto kFixed = ShaderInputs::kFixed;
    constexpr auto kCustom = ShaderInputs::kCustom;
    const StreamRuleCase cases[] = {
        {kFixed, {}, "Shader must have at least one stream."},
        {kCustom, {}, "Shader must have at least one stream."},
        {kCustom, {kUv, kPos3}, "First shader stream must be position stream."},
        {kFixed, {kColor}, "First shader stream must be position stream."},
        {kFixed,
         {kPos3, kNormal, kColor, kUv, kUv},
         "Fixed shader can't use more streams than the number of available fixed streams."},
        {kCustom,
         {kPos3, kNormal, kUv, kTangent, kUv},
         "Custom shader can't use more streams than the number of available custom streams."},
        {kFixed, {kPos3, kTangent}, "Fixed shader must use only streams with fixed semantic."},
        {kFixed, {kPos2, kUv, kUv}, "Fixed shader has two or more streams with same semantic."},
        {kFixed, {kPos2, kPos3}, "Fixed shader has two or more streams with same semantic."},
        {kFixed, {kPos3, kNormal, kColor, kUv}, nullptr},
        {kCustom, {kPos3, kTangent, kUv, kUv}, nullptr},
    };
    for (const StreamRuleCase& c : cases) {
        std::vector<ShaderStream> streams;
        for (std::uint32_t format : c.formats)
            streams.push_back({"a", format});
        const char* broken = validate_streams(c.kind, streams);
        EXPECT_EQ(std::string(broken ? broken : "(none)"), c.broken ? c.broken : "(none)")
            << "kind " << c.kind << ", " << c.formats.size() << " streams";
    }
}

TEST(ShaderStreamRules, FixedShadersGetTheColorSamplerOrStayUnbuilt) {
    test::LogCapture log;
    ShaderInputs ui;
    ASSERT_TRUE(build_fixed_shader({{"gl_Vertex", kPos2}, {"gl_MultiTexCoord0", kUv}}, ui));
    EXPECT_EQ(ui.kind, ShaderInputs::kFixed);
    ASSERT_EQ(ui.stream_count, 2);
    EXPECT_EQ(ui.streams[1].attribute, "gl_MultiTexCoord0");
    ASSERT_EQ(ui.sampler_count, 1);
    EXPECT_EQ(ui.samplers[0].code, 0x10001u);
    EXPECT_FALSE(ui.samplers[0].internal);
    EXPECT_EQ(ui.samplers[0].location, -1);

    EXPECT_FALSE(build_fixed_shader({{"gl_Vertex", kPos2}, {"t", kTangent}}, ui));
    EXPECT_EQ(ui.stream_count, 2) << "a refused shader leaves the old one";
    EXPECT_EQ(log.lines(),
              std::vector<std::string>{"Fixed shader must use only streams with fixed semantic."});
}

}  // namespace
}  // namespace tarn
