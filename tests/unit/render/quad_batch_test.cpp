#include "render/quad_batch.hpp"

#include <gtest/gtest.h>

#include "drawing_fixture.hpp"
#include "render/vertex_streams.hpp"

namespace tarn {
namespace {

using test::color_near;

TEST(QuadBatch, QuadsTakeConsecutiveVerticesAndBreakWhenFullOrOnAnotherTexture) {
    test::ensure_singletons();
    ObjectRef<GpuTexture> first(new GpuTexture()), second(new GpuTexture());
    QuadBatch batch;
    VertexStreams streams;
    batch.ensure_memory();
    batch.map(streams);
    EXPECT_TRUE(batch.must_break_for(first.get())) << "an empty batch has no texture yet";
    BatchVertex* previous = nullptr;
    for (int i = 0; i < 256; ++i) {
        ASSERT_FALSE(i > 0 && batch.must_break_for(first.get())) << "quad " << i;
        BatchVertex* quad = batch.reserve_quad(first.get());
        if (previous != nullptr) {
            EXPECT_EQ(quad, previous + 4);
        }
        previous = quad;
    }
    EXPECT_EQ(first->ref_count(), 2) << "the batch holds one reference on its texture";
    EXPECT_TRUE(batch.must_break_for(first.get())) << "1024 vertices are the limit";
    const std::uint16_t* last = batch.indices() + 255 * 6;
    EXPECT_EQ((std::array<int, 6>{last[0], last[1], last[2], last[3], last[4], last[5]}),
              (std::array<int, 6>{1020, 1021, 1022, 1021, 1023, 1022}));

    batch.clear_counts();
    EXPECT_FALSE(batch.must_break_for(first.get()));
    EXPECT_TRUE(batch.must_break_for(second.get()));
    EXPECT_EQ(batch.reserve_quad(second.get()), batch.vertices());
    EXPECT_EQ(first->ref_count(), 1);
    batch.unmap(streams);
}

class QuadBatchDrawing : public test::DrawingTest {
protected:
    void begin_2d() {
        renderer_.begin_frame();
        renderer_.bind_window();
        renderer_.set_mode(DrawMode::kBatch2d);
    }
};

TEST_F(QuadBatchDrawing, BlendsPremultipliedColourOverTheBackground) {
    clear_frame({0.0f, 0.0f, 1.0f});
    begin_2d();
    // Half-transparent red, premultiplied: (0.5, 0, 0, 0.5).
    ASSERT_TRUE(quad(white_.get(), 0, 0, 32, 32, PackedColor::premultiplied(1, 0, 0, 0.5f)));
    renderer_.end_frame();
    // src + dst * (1 - src alpha); straight alpha blending would give (64, 0, 127).
    EXPECT_TRUE(color_near(pixel(8, 8), {128, 0, 127}));
    EXPECT_TRUE(color_near(pixel(48, 48), {0, 0, 255}));
}

TEST_F(QuadBatchDrawing, VerticesRunTopRightTopLeftBottomRightBottomLeftAndFillTheQuad) {
    clear_frame({0.0f, 0.0f, 0.0f});
    begin_2d();
    const PackedColor red{255, 0, 0, 255}, green{0, 255, 0, 255}, blue{0, 0, 255, 255};
    const PackedColor grey{128, 128, 128, 255};
    ASSERT_TRUE(quad(white_.get(), 0, 0, 64, 64, {red, green, blue, grey}));
    EXPECT_EQ(renderer_.batch().index_count(), 6);
    const std::uint16_t* indices = renderer_.batch().indices();
    EXPECT_EQ((std::array<int, 6>{indices[0], indices[1], indices[2], indices[3], indices[4],
                                  indices[5]}),
              (std::array<int, 6>{0, 1, 2, 1, 3, 2}));
    renderer_.end_frame();

    const auto top_right = pixel(62, 1), top_left = pixel(1, 1), bottom_right = pixel(62, 62);
    EXPECT_GT(top_right[0], 200) << "vertex 0 is the top-right corner";
    EXPECT_GT(top_left[1], 200) << "vertex 1 is the top-left corner";
    EXPECT_GT(bottom_right[2], 200) << "vertex 2 is the bottom-right corner";
    EXPECT_TRUE(color_near(pixel(1, 62), {128, 128, 128}, 12));
    // Both triangles together cover the whole quad: nothing of the black background remains.
    for (int y = 0; y < 64; y += 7) {
        for (int x = 0; x < 64; x += 7) {
            const auto p = pixel(x, y);
            EXPECT_GT(p[0] + p[1] + p[2], 60) << "uncovered pixel at " << x << ", " << y;
        }
    }
}

TEST_F(QuadBatchDrawing, A257thQuadBreaksTheFullBatchIntoASecondDraw) {
    clear_frame({0.0f, 0.0f, 0.0f});
    begin_2d();
    for (int i = 0; i < 256; ++i) {
        const float x = static_cast<float>(i % 64), y = static_cast<float>(i / 64);
        ASSERT_TRUE(quad(red_.get(), x, y, x + 1, y + 1));
    }
    EXPECT_EQ(renderer_.batch().vertex_count(), QuadBatch::kMaxVertices);
    EXPECT_EQ(renderer_.batch().index_count(), 1536);
    EXPECT_EQ(renderer_.batch_breaks(), 0);
    EXPECT_EQ(renderer_.frame_triangles(), 0) << "nothing is drawn before the batch breaks";

    ASSERT_TRUE(quad(red_.get(), 0, 4, 1, 5));
    EXPECT_EQ(renderer_.batch_breaks(), 1);
    EXPECT_EQ(renderer_.frame_triangles(), 512) << "the first draw held 256 quads";
    EXPECT_EQ(renderer_.batch().vertex_count(), 4);
    renderer_.end_frame();
    EXPECT_EQ(renderer_.frame_triangles(), 514);
    EXPECT_EQ(renderer_.batch_breaks(), 0) << "the counter is per frame";

    EXPECT_TRUE(color_near(pixel(0, 0), {255, 0, 0}));
    EXPECT_TRUE(color_near(pixel(63, 3), {255, 0, 0}));
    EXPECT_TRUE(color_near(pixel(0, 4), {255, 0, 0})) << "the 257th quad was drawn";
    EXPECT_TRUE(color_near(pixel(1, 4), {0, 0, 0}));
}

TEST_F(QuadBatchDrawing, AlternatingTexturesDrawOneRunPerQuadWithItsOwnTexture) {
    clear_frame({0.0f, 0.0f, 0.0f});
    begin_2d();
    GpuTexture* textures[4] = {red_.get(), green_.get(), red_.get(), green_.get()};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(quad(textures[i], i * 16.0f, 0, i * 16.0f + 16, 16));
        EXPECT_EQ(renderer_.batch_breaks(), i);
        EXPECT_EQ(renderer_.frame_triangles(), 2 * i);
        EXPECT_EQ(renderer_.batch().texture(), textures[i]);
    }
    renderer_.end_frame();
    EXPECT_EQ(renderer_.frame_triangles(), 8);
    EXPECT_TRUE(color_near(pixel(8, 8), {255, 0, 0}));
    EXPECT_TRUE(color_near(pixel(24, 8), {0, 255, 0}));
    EXPECT_TRUE(color_near(pixel(40, 8), {255, 0, 0}));
    EXPECT_TRUE(color_near(pixel(56, 8), {0, 255, 0}));
}

TEST_F(QuadBatchDrawing, NullAndMissingTexturesAddNothingAndKeepTheRun) {
    clear_frame({0.0f, 0.0f, 0.0f});
    begin_2d();
    ASSERT_TRUE(quad(red_.get(), 0, 0, 16, 16));
    EXPECT_EQ(renderer_.add_quad(nothing_.get()), nullptr);
    EXPECT_EQ(renderer_.add_quad(nullptr), nullptr);
    EXPECT_EQ(renderer_.batch().vertex_count(), 4);
    EXPECT_EQ(renderer_.batch().texture(), red_.get());
    ASSERT_TRUE(quad(red_.get(), 16, 0, 32, 16));
    EXPECT_EQ(renderer_.batch_breaks(), 0);
    EXPECT_EQ(renderer_.batch().vertex_count(), 8);
    renderer_.end_frame();
    EXPECT_EQ(renderer_.frame_triangles(), 4);
    EXPECT_TRUE(color_near(pixel(24, 8), {255, 0, 0}));
}

TEST_F(QuadBatchDrawing, BatchesStreamThroughABufferObjectAlsoWhenItsStorageIsRenewed) {
    // Frames of full batches covering the top-left square, then one quad on its own texture: the
    // first frame fills the stream buffer past its end, the second starts over in it.
    const int full_batches = QuadBatch::kStreamBytes / QuadBatch::kBytes + 2;
    const std::array<int, 3> red{255, 0, 0}, green{0, 255, 0};
    const struct {
        GpuTexture* fill;
        std::array<int, 3> fill_rgb;
        GpuTexture* last;
        std::array<int, 3> last_rgb;
    } frames[] = {{red_.get(), red, green_.get(), green}, {green_.get(), green, red_.get(), red}};
    for (const auto& frame : frames) {
        clear_frame({0.0f, 0.0f, 0.0f});
        begin_2d();
        for (int i = 0; i < full_batches * QuadBatch::kMaxVertices / 4; ++i) {
            const float x = static_cast<float>(i % 32), y = static_cast<float>(i / 32 % 32);
            ASSERT_TRUE(quad(frame.fill, x, y, x + 1, y + 1));
        }
        ASSERT_TRUE(quad(frame.last, 40, 40, 48, 48));
        renderer_.flush_batch();
        GLint array_buffer = 0;
        glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &array_buffer);
        EXPECT_NE(renderer_.batch().stream_buffer(), 0u);
        EXPECT_EQ(static_cast<GLuint>(array_buffer), renderer_.batch().stream_buffer());
        renderer_.end_frame();
        EXPECT_TRUE(color_near(pixel(0, 0), frame.fill_rgb));
        EXPECT_TRUE(color_near(pixel(31, 31), frame.fill_rgb));
        EXPECT_TRUE(color_near(pixel(44, 44), frame.last_rgb));
        EXPECT_TRUE(color_near(pixel(36, 36), {0, 0, 0}));
    }
}

TEST_F(QuadBatchDrawing, TheBatchFeedsOnlyPositionColourAndTextureArrays) {
    begin_2d();
    ASSERT_TRUE(quad(red_.get(), 0, 0, 8, 8));
    renderer_.flush_batch();
    EXPECT_TRUE(renderer_.streams().fixed_enabled(Semantic::kPosition));
    EXPECT_TRUE(renderer_.streams().fixed_enabled(Semantic::kColor));
    EXPECT_TRUE(renderer_.streams().fixed_enabled(Semantic::kTexCoord0));
    EXPECT_FALSE(renderer_.streams().fixed_enabled(Semantic::kNormal));
    EXPECT_EQ(renderer_.textures().bound(0, GL_TEXTURE_2D), red_.get());
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), red_->gl_name());

    renderer_.set_mode(DrawMode::kMode3d);
    EXPECT_FALSE(renderer_.streams().fixed_enabled(Semantic::kPosition));
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));
    EXPECT_EQ(renderer_.current_state(), RenderStateTable::k3d);
    renderer_.end_frame();
    EXPECT_EQ(renderer_.mode(), DrawMode::kNone);
}

}  // namespace
}  // namespace tarn
