#include "render/render_state.hpp"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <csignal>
#include <string>

#include "core/log.hpp"
#include "gl_window.hpp"
#include "render/renderer.hpp"
#include "support/temp_dir.hpp"

namespace tarn {
namespace {

constexpr RenderState kOpaque = {GL_ONE, GL_ZERO, 0};
constexpr RenderState kPremultiplied = {GL_ONE, GL_ONE_MINUS_SRC_ALPHA, 0};

RenderState distinct_state(int i) {
    return {GL_SRC_ALPHA, GL_ONE, static_cast<std::uint32_t>(i)};
}

TEST(RenderStateTable, EqualStatesShareOneIndexInRegistrationOrder) {
    RenderStateTable table;
    EXPECT_EQ(table.register_state(kPremultiplied), 1);
    EXPECT_EQ(table.register_state(kOpaque), 2);
    EXPECT_EQ(table.register_state(kPremultiplied), 1);
    EXPECT_EQ(table.register_state({GL_ONE, GL_ZERO, 0x08}), 3);
    EXPECT_EQ(table.count(), 4);
    EXPECT_EQ(table.state(3), (RenderState{GL_ONE, GL_ZERO, 0x08}));
    table.reset();
    EXPECT_EQ(table.register_state(kOpaque), 1) << "reset forgets the registered states";
}

TEST(RenderStateTable, ThirtyOneStatesFitAndKnownOnesNeverAbort) {
    RenderStateTable table;
    for (int i = 1; i <= 31; ++i)
        ASSERT_EQ(table.register_state(distinct_state(i)), i);
    EXPECT_EQ(table.count(), RenderStateTable::kSlots);
    EXPECT_EQ(table.register_state(distinct_state(17)), 17);
}

TEST(RenderStateTableDeathTest, AThirtySecondStateIsLoggedAndAborts) {
    RenderStateTable table;
    for (int i = 1; i <= 31; ++i)
        table.register_state(distinct_state(i));
    test::TempDir dir;
    const std::string log_path = dir / "game_log.txt";
    EXPECT_EXIT(
        {
            log_file().open(WidePath(log_path.c_str()));
            table.register_state(distinct_state(40));
        },
        ::testing::KilledBySignal(SIGABRT), "");
    EXPECT_EQ(test::read_file_text(log_path), "Too many render states.\n");
}

TEST(RenderStateTable, DepthCodesMapToGlFunctions) {
    EXPECT_EQ(depth_function_of(1), static_cast<std::uint32_t>(GL_LESS));
    EXPECT_EQ(depth_function_of(2), static_cast<std::uint32_t>(GL_LEQUAL));
    EXPECT_EQ(depth_function_of(3), static_cast<std::uint32_t>(GL_EQUAL));
    EXPECT_EQ(depth_function_of(4), static_cast<std::uint32_t>(GL_GREATER));
    EXPECT_EQ(depth_function_of(5), static_cast<std::uint32_t>(GL_GEQUAL));
    EXPECT_EQ(depth_function_of(6), static_cast<std::uint32_t>(GL_NOTEQUAL));
    EXPECT_EQ(depth_function_of(7), static_cast<std::uint32_t>(GL_ALWAYS));
}

// Applying states against a cache on a real context, reading back what GL holds.
class RenderStateGl : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(test::GlWindow::get(), nullptr) << "needs an X display with OpenGL";
        glDisable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ZERO);
        glDisable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
        glDepthMask(GL_TRUE);
        glDisable(GL_CULL_FACE);
        glCullFace(GL_BACK);
    }
    static GLint get(GLenum what) {
        GLint value = 0;
        glGetIntegerv(what, &value);
        return value;
    }

    RenderState cache_ = {GL_ONE, GL_ZERO, RenderState::kDepthWrite};
};

TEST_F(RenderStateGl, DepthWriteAndCullBitsReachGl) {
    apply_render_state({GL_ONE, GL_ZERO, 0x02 | 0x20}, cache_);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(get(GL_DEPTH_FUNC), GL_LEQUAL);
    EXPECT_EQ(get(GL_DEPTH_WRITEMASK), GL_FALSE);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(get(GL_CULL_FACE_MODE), GL_FRONT);

    apply_render_state({GL_ONE, GL_ZERO, 0x05 | 0x08 | 0x10}, cache_);
    EXPECT_EQ(get(GL_DEPTH_FUNC), GL_GEQUAL);
    EXPECT_EQ(get(GL_DEPTH_WRITEMASK), GL_TRUE);
    EXPECT_EQ(get(GL_CULL_FACE_MODE), GL_BACK);

    apply_render_state(kOpaque, cache_);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(cache_, kOpaque);
}

TEST_F(RenderStateGl, OneZeroDisablesBlendingWithoutSettingTheFunction) {
    apply_render_state({GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, 0x08}, cache_);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(get(GL_BLEND_SRC), GL_SRC_ALPHA);
    apply_render_state({GL_ONE, GL_ZERO, 0x08}, cache_);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(get(GL_BLEND_SRC), GL_SRC_ALPHA) << "glBlendFunc(GL_ONE, GL_ZERO) was called";
}

TEST_F(RenderStateGl, PartsEqualToTheCacheAreNotSentAgain) {
    // GL drifts from the cache behind its back; an unchanged part must issue no call.
    glEnable(GL_BLEND);
    glEnable(GL_CULL_FACE);
    apply_render_state({GL_ONE, GL_ZERO, 0x08}, cache_);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    apply_render_state({GL_ONE, GL_ZERO, 0x01 | 0x08}, cache_);
    EXPECT_TRUE(glIsEnabled(GL_BLEND)) << "only the depth part changed";
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(RenderStateGl, TheRendererRegistersItsThreeStatesFirst) {
    Renderer renderer;
    renderer.reset_after_video_mode();
    renderer.init_gl();
    EXPECT_EQ(renderer.states().state(RenderStateTable::k2d), kPremultiplied);
    EXPECT_EQ(renderer.states().state(RenderStateTable::k3d), (RenderState{GL_ONE, GL_ZERO, 0x19}));
    EXPECT_EQ(renderer.states().state(RenderStateTable::kClear),
              (RenderState{GL_ONE, GL_ZERO, 0x08}));
    EXPECT_EQ(renderer.register_state({GL_DST_COLOR, GL_ZERO, 0}), 4);

    renderer.apply_state(RenderStateTable::k3d);
    EXPECT_EQ(renderer.current_state(), RenderStateTable::k3d);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(get(GL_CULL_FACE_MODE), GL_BACK);
    renderer.apply_state(4);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(get(GL_BLEND_SRC), GL_DST_COLOR);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
}

}  // namespace
}  // namespace tarn
