#include "render/text_drawing.hpp"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <numbers>
#include <vector>

#include "drawing_fixture.hpp"
#include "render/ui_batch.hpp"

// Every glDrawElements of this test program passes through here on its way to libGL, so a test
// can see the draw calls GL really received and their index counts.
namespace {
std::vector<GLsizei>* g_draw_log = nullptr;
}  // namespace

extern "C" void glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
    using DrawElements = void (*)(GLenum, GLsizei, GLenum, const void*);
    static const auto real = reinterpret_cast<DrawElements>(dlsym(RTLD_NEXT, "glDrawElements"));
    if (g_draw_log != nullptr)
        g_draw_log->push_back(count);
    real(mode, count, type, indices);
}

namespace tarn {
namespace {

using test::color_near;
using test::GlWindow;
using Rgb = std::array<int, 3>;

constexpr Rgb kBlack = {0, 0, 0};

// A glyph from (x0, y0) to (x1, y1) in text space showing the texture from (u0, v0) to (u1, v1).
TextQuad glyph(std::array<float, 4> corners, std::array<float, 4> uv = {0, 0, 1, 1},
               std::array<float, 4> color = {1, 1, 1, 1}) {
    return {color[0],   color[1],   color[2], color[3], corners[0], corners[1],
            corners[2], corners[3], uv[0],    uv[1],    uv[2],      uv[3]};
}

struct Probe {
    int x, y;
    Rgb expected;
};

class TextDrawing : public test::DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        // 2 x 2 texels: red and green on the top row, blue and white below.
        const std::array<unsigned char, 16> texels = {255, 0, 0,   255, 0,   255, 0,   255,
                                                      0,   0, 255, 255, 255, 255, 255, 255};
        pattern_.reset(new GpuTexture);
        ASSERT_TRUE(pattern_->create_gl_texture(GpuTexture::Kind::k2d));
        pattern_->upload_pixels({2, 2, PixelFormat::RGBA8, texels.data()},
                                {.clamp = true, .nearest = true});
        ASSERT_TRUE(batch_.create());
    }

    // A frame on a background of rgb, ready for the UI: window bound, the batch's state applied.
    void begin_ui(std::array<float, 3> rgb = {0, 0, 0}) {
        clear_frame(rgb);
        renderer_.begin_frame();
        renderer_.bind_window();
        renderer_.apply_state_if_changed(batch_.render_state());
    }

    void expect_pixels(const std::vector<Probe>& probes, int tolerance = 3) {
        for (const Probe& p : probes)
            EXPECT_TRUE(color_near(pixel(p.x, p.y), p.expected, tolerance)) << p.x << ", " << p.y;
    }

    ObjectRef<GpuTexture> pattern_;
    UIBatch batch_{renderer_};
};

TEST_F(TextDrawing, UiGlyphsLandAtPositionPlusScaleInTheBatchColour) {
    begin_ui();
    TextLayout layout;
    // The glyph's own colour is ignored on this path.
    layout.quads = {glyph({0, 0, 8, 8}, {0, 0, 1, 1}, {0, 0, 0, 0})};
    batch_.set_color({1.0f, 0.5f, 0.25f, 1.0f});
    draw_text_layout(batch_, layout, pattern_.get(), {4, 4}, {2, 3});
    EXPECT_EQ(renderer_.frame_triangles(), 2);
    renderer_.end_frame();
    // The glyph covers (4, 4) to (20, 28) on screen, one texel per quarter.
    expect_pixels({{6, 6, {255, 0, 0}},
                   {18, 6, {0, 128, 0}},
                   {6, 26, {0, 0, 64}},
                   {18, 26, {255, 128, 64}},
                   {22, 6, kBlack},
                   {6, 30, kBlack}});
}

TEST_F(TextDrawing, UiColourBlendsPremultipliedOverTheBackground) {
    begin_ui({0, 0, 1});
    TextLayout layout;
    layout.quads = {glyph({0, 0, 16, 16}, {0.75f, 0.75f, 1, 1})};
    batch_.set_color({0.5f, 0, 0, 0.5f});
    draw_text_layout(batch_, layout, pattern_.get(), {0, 0}, {1, 1});
    renderer_.end_frame();
    // src + dst * (1 - src alpha) on the white texel; straight alpha would give (64, 0, 127).
    expect_pixels({{8, 8, {128, 0, 127}}, {24, 8, {0, 0, 255}}});
}

TEST_F(TextDrawing, UiDraws1500GlyphsInTwoCallsOf1024And476) {
    begin_ui();
    TextLayout layout;
    for (int i = 0; i < 1500; ++i) {
        const float x = static_cast<float>(i % 64), y = static_cast<float>(i / 64);
        layout.quads.push_back(glyph({x, y, x + 1, y + 1}));
    }
    std::vector<GLsizei> draws;
    g_draw_log = &draws;
    draw_text_layout(batch_, layout, red_.get(), {0, 0}, {1, 1});
    g_draw_log = nullptr;
    EXPECT_EQ(draws, (std::vector<GLsizei>{1024 * 6, 476 * 6}));
    EXPECT_EQ(renderer_.frame_triangles(), 3000);
    renderer_.end_frame();

    // Each glyph lights its own pixel: both chunks were written and indexed correctly.
    std::vector<std::array<std::uint8_t, 4>> rgba(GlWindow::kSize * GlWindow::kSize);
    glReadPixels(0, 0, GlWindow::kSize, GlWindow::kSize, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    int lit = 0;
    for (const auto& p : rgba)
        lit += p[0] > 200 ? 1 : 0;
    EXPECT_EQ(lit, 1500);
    expect_pixels({{63, 15, {255, 0, 0}}, {0, 16, {255, 0, 0}}, {27, 23, {255, 0, 0}}});
}

TEST_F(TextDrawing, ReleasedBatchLeavesNothingBoundAndDrawsNothing) {
    begin_ui();
    TextLayout layout;
    layout.quads = {glyph({0, 0, 8, 8})};
    draw_text_layout(batch_, layout, red_.get(), {0, 0}, {1, 1});
    const GLuint indices = batch_.index_buffer();
    ASSERT_EQ(renderer_.streams().element_buffer(), indices);
    ASSERT_EQ(renderer_.streams().current_shader(), &batch_.program());

    batch_.release();
    EXPECT_FALSE(batch_.created());
    EXPECT_EQ(renderer_.streams().element_buffer(), 0u);
    EXPECT_EQ(renderer_.streams().current_shader(), nullptr);
    EXPECT_FALSE(glIsBuffer(indices));
    draw_text_layout(batch_, layout, red_.get(), {0, 0}, {1, 1});
    EXPECT_EQ(renderer_.frame_triangles(), 2);
    renderer_.end_frame();
}

TEST_F(TextDrawing, SceneGlyphsFollowTheTransformInTheirColourTimesTint) {
    clear_frame({0, 0, 0});
    renderer_.begin_frame();
    renderer_.bind_window();
    TextLayout layout;
    layout.quads = {glyph({0, 0, 8, 4}),
                    glyph({10, 0, 14, 4}, {0.75f, 0.75f, 1, 1}, {0.5f, 0.25f, 0, 0.5f})};
    // Scaled by (2, 3), turned a quarter clockwise on screen (text x runs down, text y runs
    // left), then moved to (40, 8).
    const Affine2 transform = Affine2::translation(40, 8) *
                              Affine2::rotation(std::numbers::pi_v<float> / 2) *
                              Affine2::scale(2, 3);
    EXPECT_EQ(emit_text_layout(renderer_, transform, layout, pattern_.get(), {1, 0.5f, 1, 1}), 2);
    renderer_.end_frame();
    // The first glyph covers (28, 8) to (40, 24): its top-left texel (red) at the top right.
    // The second, half transparent over black, covers (28, 28) to (40, 36).
    expect_pixels({{37, 11, {255, 0, 0}},
                   {37, 20, {0, 127, 0}},
                   {31, 11, {0, 0, 255}},
                   {31, 20, {255, 127, 255}},
                   {34, 32, {127, 31, 0}},
                   {34, 26, kBlack},
                   {26, 16, kBlack}});
}

TEST_F(TextDrawing, SceneColourBytesAreTintedColourTimes255Truncated) {
    struct Case {
        float channel, tint;
        int expected;
    };
    const Case cases[] = {
        {1.0f, 1.0f, 255}, {0.5f, 1.0f, 127},  // 127.5: rounding would give 128
        {0.25f, 0.5f, 31},                     // 31.875
        {1.0f, 2.0f, 255},                     // saturates instead of wrapping to 254
        {0.5f, -1.0f, 0},
    };
    renderer_.begin_frame();
    for (const Case& c : cases) {
        TextLayout layout;
        layout.quads = {
            glyph({0, 0, 1, 1}, {0, 0, 1, 1}, {c.channel, c.channel, c.channel, c.channel})};
        ASSERT_EQ(emit_text_layout(renderer_, Affine2{}, layout, white_.get(),
                                   {c.tint, c.tint, c.tint, c.tint}),
                  1);
        const BatchVertex* quad =
            renderer_.batch().vertices() + renderer_.batch().vertex_count() - 4;
        const std::uint8_t e = static_cast<std::uint8_t>(c.expected);
        for (int v = 0; v < 4; ++v)
            EXPECT_EQ(quad[v].color, (PackedColor{e, e, e, e})) << c.channel << " x " << c.tint;
    }
    renderer_.end_frame();
}

TEST_F(TextDrawing, SceneGlyphsWithoutADrawableTextureAreSkippedAndNotCounted) {
    renderer_.begin_frame();
    ASSERT_TRUE(quad(red_.get(), 0, 0, 8, 8));
    TextLayout layout;
    layout.quads = {glyph({0, 0, 8, 8}), glyph({8, 0, 16, 8})};
    for (GpuTexture* texture : {static_cast<GpuTexture*>(nullptr), nothing_.get()}) {
        EXPECT_EQ(emit_text_layout(renderer_, Affine2{}, layout, texture, {1, 1, 1, 1}), 0);
        EXPECT_EQ(renderer_.batch().vertex_count(), 4);
        EXPECT_EQ(renderer_.batch().texture(), red_.get());
    }
    EXPECT_EQ(renderer_.batch_breaks(), 0);
    renderer_.end_frame();
}

}  // namespace
}  // namespace tarn
