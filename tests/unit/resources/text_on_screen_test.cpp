#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/platform_state.hpp"
#include "render/text_drawing.hpp"
#include "render/ui_batch.hpp"
#include "resources/font.hpp"
#include "resources/resource_loading.hpp"
#include "resources/text_layout_builder.hpp"
#include "support/font_game_dir.hpp"
#include "support/script_vm.hpp"
#include "unit/render/drawing_fixture.hpp"

// A font made by tarn_fontgen, loaded as a game loads it, laid out and drawn on both text paths.
namespace tarn {
namespace {

using Image = std::vector<std::array<int, 3>>;
constexpr int kSize = test::GlWindow::kSize;

class TextOnScreen : public test::DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        vm_.eval(
            "g_texture_defs[\"fonts/sans32.png\"] <- { mipmaps = false };"
            "g_font_defs[\"sans32\"] <- { file = \"fonts/sans32.fnt\" };");
        font_.reset(get_or_load<Font>(vm_.vm(), "sans32", false));
        ASSERT_TRUE(font_ && font_->load_state() == EngineObject::kLoaded);
    }
    void TearDown() override {
        // The batch still holds the page texture, which must go while its VM lives.
        renderer_.shutdown();
        font_.reset();
        platform_state().text_colors[1] = Color{};
        DrawingTest::TearDown();
    }

    void lay_out(const std::u16string& text) {
        build_text_layout(layout_, font_->glyphs(),
                          reinterpret_cast<const std::uint16_t*>(text.data()),
                          static_cast<int>(text.size()), -1, kTextAlignLeft, 1);
    }

    Image frame() const {
        Image image;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                image.push_back(pixel(x, y));
        return image;
    }

    Image draw_ui(float x, float y) {
        UIBatch batch(renderer_);
        EXPECT_TRUE(batch.create());
        clear_frame({0, 0, 0});
        renderer_.begin_frame();
        renderer_.bind_window();
        renderer_.apply_state_if_changed(batch.render_state());
        draw_text_layout(batch, layout_, font_->texture(), {x, y}, {1, 1});
        renderer_.end_frame();
        return frame();
    }

    Image draw_scene(float x, float y) {
        clear_frame({0, 0, 0});
        renderer_.begin_frame();
        EXPECT_EQ(emit_text_layout(renderer_, Affine2::translation(x, y), layout_, font_->texture(),
                                   {1, 1, 1, 1}),
                  static_cast<int>(layout_.quads.size()));
        renderer_.end_frame();
        return frame();
    }

    test::FontGameDir game_;
    test::ScriptVm vm_;
    ObjectRef<Font> font_;
    TextLayout layout_;
};

// Lit pixels outside every glyph rectangle (a pixel's ink may bleed one pixel through filtering).
int ink_outside_glyphs(const Image& image, const TextLayout& layout, float x, float y) {
    int stray = 0;
    for (int py = 0; py < kSize; ++py) {
        for (int px = 0; px < kSize; ++px) {
            if (image[py * kSize + px][0] == 0)
                continue;
            bool inside = false;
            for (const TextQuad& q : layout.quads)
                inside |=
                    px + 1 >= x + q.x0 && px <= x + q.x1 && py + 1 >= y + q.y0 && py <= y + q.y1;
            stray += inside ? 0 : 1;
        }
    }
    return stray;
}

int lit(const Image& image) {
    int count = 0;
    for (const auto& p : image)
        count += p[0] > 0 ? 1 : 0;
    return count;
}

TEST_F(TextOnScreen, BothPathsDrawTheSameGlyphInkInsideTheLaidOutRectangles) {
    lay_out(u"Hi");
    ASSERT_EQ(layout_.quads.size(), 2u);
    const Image ui = draw_ui(3, 2);
    const Image scene = draw_scene(3, 2);
    EXPECT_GT(lit(ui), 100);
    EXPECT_EQ(ink_outside_glyphs(ui, layout_, 3, 2), 0);
    int differing = 0;
    for (std::size_t i = 0; i < ui.size(); ++i)
        differing += test::color_near(ui[i], scene[i], 2) ? 0 : 1;
    EXPECT_EQ(differing, 0);
}

TEST_F(TextOnScreen, AColourCodeTintsTheSceneGlyphsThatFollowIt) {
    platform_state().text_colors[1] = Color{1, 0, 0, 1};
    lay_out(u"^1Hi");
    const Image scene = draw_scene(3, 2);
    int red = 0, other = 0;
    for (const auto& p : scene) {
        if (p == std::array<int, 3>{0, 0, 0})
            continue;
        (p[1] == 0 && p[2] == 0 ? red : other) += 1;
    }
    EXPECT_GT(red, 100);
    EXPECT_EQ(other, 0);
}

}  // namespace
}  // namespace tarn
