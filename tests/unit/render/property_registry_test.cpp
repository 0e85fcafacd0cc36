#include "render/property_registry.hpp"

#include <gtest/gtest.h>

#include <cstddef>

#include "render/vertex_format.hpp"

namespace tarn {
namespace {

std::string str(const SharedString& s) {
    return std::string(s.data(), s.length());
}

TEST(RendererPropertyRegistry, StartsWithTheBuiltInNamesAtFixedIndices) {
    PropertyRegistry registry;
    EXPECT_EQ(registry.size(), 28);
    EXPECT_EQ(str(registry.name(0)), "none");
    EXPECT_EQ(str(registry.name(1)), "color");
    EXPECT_EQ(str(registry.name(9)), "diffuse_texture");
    EXPECT_EQ(str(registry.name(20)), "distance_buffer");
    EXPECT_EQ(str(registry.name(27)), "ssao_noise_texture");
    EXPECT_EQ(registry.find_or_add("light_color"), 16);
    EXPECT_EQ(registry.find_or_add("glow_buffer"), 26);
}

TEST(RendererPropertyRegistry, AppendsUnknownNamesOnceAndAnswersEmptyOutOfRange) {
    PropertyRegistry registry;
    EXPECT_EQ(registry.find_or_add("rim_light"), 28);
    EXPECT_EQ(registry.find_or_add("Color"), 29) << "names match exactly";
    EXPECT_EQ(registry.find_or_add("rim_light"), 28);
    EXPECT_EQ(str(registry.name(28)), "rim_light");
    EXPECT_TRUE(registry.name(30).empty());
    EXPECT_TRUE(registry.name(-1).empty());
}

TEST(RendererVertexFormat, MaskBitsLayOutComponentsInTheirFixedOrder) {
    const VertexFormat batch = VertexFormat::from_mask(vertex_mask::kBatchVertex);
    EXPECT_EQ(batch.stride, 20);
    EXPECT_EQ(batch.offset_of(vertex_mask::kPosition2), 0);
    EXPECT_EQ(batch.offset_of(vertex_mask::kColor), 8);
    EXPECT_EQ(batch.offset_of(vertex_mask::kTexCoord0), 12);
    EXPECT_EQ(batch.offset_of(vertex_mask::kNormal), -1);

    const VertexFormat full = VertexFormat::from_mask(0xFF);
    EXPECT_EQ(full.stride, 12 + 8 + 4 + 8 + 8 + 12 + 16 + 24);
    EXPECT_EQ(full.offset_of(vertex_mask::kTexCoord1), 32);
    EXPECT_EQ(full.offset_of(vertex_mask::kNormal), 40);
    EXPECT_EQ(full.offset_of(vertex_mask::kFloat6), 68);
}

TEST(RendererVertexFormat, BatchVertexMatchesItsLayoutAndColourBytesAreRgba) {
    EXPECT_EQ(offsetof(BatchVertex, color), 8u);
    EXPECT_EQ(offsetof(BatchVertex, u), 12u);
    const PackedColor color = PackedColor::from_floats(1.0f, 0.5f, 0.0f, 2.0f);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&color);
    EXPECT_EQ(bytes[0], 255);
    EXPECT_EQ(bytes[1], 128);
    EXPECT_EQ(bytes[2], 0);
    EXPECT_EQ(bytes[3], 255) << "components are clamped";
    EXPECT_EQ(PackedColor::premultiplied(1.0f, 1.0f, 1.0f, 0.5f),
              (PackedColor{128, 128, 128, 128}));

    const VertexLayout& layout = batch_vertex_layout();
    ASSERT_NE(layout.find(element_code::kColor4ub), nullptr);
    EXPECT_EQ(layout.find(element_code::kColor4ub)->offset, 8);
    EXPECT_EQ(layout.find(element_code::kPosition3f), nullptr);
}

TEST(RendererVertexFormat, ElementCodesDecodeSemanticCountTypeAndNormalisation) {
    EXPECT_EQ(element_code::semantic(element_code::kColor4ub), 2);
    EXPECT_EQ(element_code::count(element_code::kColor4ub), 4);
    EXPECT_EQ(element_code::gl_type(element_code::kColor4ub), 0x1401u);  // GL_UNSIGNED_BYTE
    EXPECT_TRUE(element_code::normalized(element_code::kColor4ub));
    EXPECT_EQ(element_code::gl_type(element_code::kPosition3f), 0x1406u);  // GL_FLOAT
    EXPECT_EQ(element_code::count(element_code::kPosition3f), 3);
    EXPECT_EQ(element_code::semantic(element_code::kTexCoord2f), 3);
    EXPECT_FALSE(element_code::normalized(element_code::kTexCoord2f));
}

}  // namespace
}  // namespace tarn
