#include "render/renderer.hpp"

#include <gtest/gtest.h>

#include "drawing_fixture.hpp"

namespace tarn {
namespace {

using test::color_near;

using RendererFrame = test::DrawingTest;

TEST_F(RendererFrame, ClearsTheWindowOnceAtItsFirstBindingOfTheFrame) {
    clear_frame({1.0f, 0.0f, 0.0f});
    renderer_.set_clear_enabled(true);
    renderer_.set_clear_color({0.0f, 0.0f, 1.0f, 1.0f});
    renderer_.begin_frame();
    renderer_.bind_window();
    renderer_.set_mode(DrawMode::kBatch2d);
    ASSERT_TRUE(quad(green_.get(), 32, 32, 64, 64));
    renderer_.bind_window();
    renderer_.end_frame();
    EXPECT_EQ(renderer_.window_binds(), 1) << "binding the bound window again is free";
    // Neither the second binding nor the end of the frame cleared what was drawn.
    EXPECT_TRUE(color_near(pixel(48, 48), {0, 255, 0}));
    EXPECT_TRUE(color_near(pixel(8, 8), {0, 0, 255}));
    EXPECT_TRUE(color_near(pixel(8, 48), {0, 0, 255}));
}

TEST_F(RendererFrame, AFrameThatDrawsNothingStillClearsOnlyWhenEnabled) {
    clear_frame({0.0f, 1.0f, 0.0f});
    EXPECT_TRUE(color_near(pixel(10, 10), {0, 255, 0}));

    renderer_.set_clear_color({1.0f, 0.0f, 0.0f, 1.0f});
    renderer_.begin_frame();
    renderer_.end_frame();
    EXPECT_TRUE(color_near(pixel(10, 10), {0, 255, 0})) << "clearing is off by default";
    EXPECT_EQ(renderer_.window_binds(), 1) << "the frame's end binds the unbound window";

    renderer_.set_clear_enabled(true);
    renderer_.begin_frame();
    renderer_.end_frame();
    EXPECT_TRUE(color_near(pixel(10, 10), {255, 0, 0}));
    // Clearing leaves the clear state (no blending, depth writes on) as the current one.
    EXPECT_EQ(renderer_.current_state(), RenderStateTable::kClear);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(RendererFrame, ReportsTwoTrianglesPerQuadOfThePreviousFrame) {
    renderer_.begin_frame();
    renderer_.set_mode(DrawMode::kBatch2d);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(quad(red_.get(), i * 4.0f, 0, i * 4.0f + 4, 4));
    ASSERT_FALSE(quad(nothing_.get(), 0, 0, 4, 4));
    EXPECT_EQ(renderer_.previous_frame_triangles(), 0);
    renderer_.end_frame();

    renderer_.begin_frame();
    EXPECT_EQ(renderer_.previous_frame_triangles(), 6);
    EXPECT_EQ(renderer_.frame_triangles(), 0);
    EXPECT_EQ(renderer_.current_state(), RenderStateTable::k3d) << "frames start in 3D state";
    renderer_.end_frame();

    renderer_.begin_frame();
    EXPECT_EQ(renderer_.previous_frame_triangles(), 0);
    renderer_.end_frame();
}

TEST_F(RendererFrame, ForgettingATextureUnbindsItAndDropsItFromTheBatch) {
    renderer_.begin_frame();
    renderer_.set_mode(DrawMode::kBatch2d);
    ASSERT_TRUE(quad(red_.get(), 0, 0, 4, 4));
    renderer_.flush_batch();
    ASSERT_TRUE(quad(red_.get(), 0, 0, 4, 4));
    const int references = red_->ref_count();

    renderer_.forget_texture(*red_);
    EXPECT_EQ(renderer_.textures().bound(0, GL_TEXTURE_2D), nullptr);
    EXPECT_EQ(renderer_.batch().texture(), nullptr);
    EXPECT_EQ(renderer_.batch().vertex_count(), 0);
    EXPECT_EQ(renderer_.frame_triangles(), 4) << "queued quads are drawn before it goes";
    EXPECT_EQ(red_->ref_count(), references - 1);
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);
    renderer_.end_frame();
}

TEST_F(RendererFrame, TheWindowViewPutsTheOriginTopLeftAndRecordsItsSize) {
    clear_frame({0.0f, 0.0f, 1.0f});
    renderer_.set_window_view(32, 16);
    EXPECT_EQ(renderer_.viewport_size(), (std::array<int, 2>{32, 16}));
    renderer_.begin_frame();
    renderer_.set_mode(DrawMode::kBatch2d);
    ASSERT_TRUE(quad(red_.get(), 0, 0, 8, 4));
    renderer_.end_frame();
    // The 32 x 16 viewport is the window's bottom-left corner: rows 48 to 63 from the top.
    EXPECT_TRUE(color_near(pixel(4, 49), {255, 0, 0})) << "the view's top-left corner";
    EXPECT_TRUE(color_near(pixel(12, 49), {0, 0, 255}));
    EXPECT_TRUE(color_near(pixel(4, 60), {0, 0, 255}));
    EXPECT_TRUE(color_near(pixel(4, 40), {0, 0, 255}));
}

TEST_F(RendererFrame, AVideoModeResetReturnsToGlDefaultsAndForgetsTheCaches) {
    renderer_.begin_frame();
    renderer_.set_mode(DrawMode::kBatch2d);
    ASSERT_TRUE(quad(red_.get(), 0, 0, 4, 4));
    renderer_.flush_batch();
    ASSERT_TRUE(glIsEnabled(GL_BLEND));
    const GLuint buffers[] = {renderer_.batch().stream_buffer(), renderer_.batch().index_buffer()};

    // SDL on X11 may keep the context across the change: the old buffers must be gone with it.
    renderer_.release_buffers_before_video_mode();
    for (GLuint buffer : buffers) {
        ASSERT_NE(buffer, 0u);
        EXPECT_FALSE(glIsBuffer(buffer)) << buffer;
    }
    renderer_.reset_after_video_mode();
    EXPECT_EQ(renderer_.mode(), DrawMode::kNone);
    EXPECT_EQ(renderer_.current_state(), 0);
    EXPECT_EQ(renderer_.textures().bound(0, GL_TEXTURE_2D), nullptr);
    EXPECT_FALSE(renderer_.streams().fixed_enabled(Semantic::kPosition));
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(renderer_.batch().vertex_count(), 0);
    // The same built-in states are still registered.
    EXPECT_EQ(renderer_.register_state({GL_ONE, GL_ONE_MINUS_SRC_ALPHA, 0}), RenderStateTable::k2d);
}

}  // namespace
}  // namespace tarn
