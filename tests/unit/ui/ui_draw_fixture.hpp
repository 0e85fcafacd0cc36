#pragma once

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "render/ui_batch.hpp"
#include "resources/resource_loading.hpp"
#include "resources/texture.hpp"
#include "script/object_reader.hpp"
#include "support/font_game_dir.hpp"
#include "support/script_vm.hpp"
#include "ui/ui_widget.hpp"
#include "unit/render/drawing_fixture.hpp"

namespace tarn::test {

using Pixel = std::array<int, 3>;
using Image = std::vector<Pixel>;

// The rectangle [x0, x1) x [y0, y1) that holds every pixel of a kind; empty (all 0) for none.
struct Box {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool operator==(const Box&) const = default;
    Box moved(int dx, int dy) const { return {x0 + dx, y0 + dy, x1 + dx, y1 + dy}; }
};

inline Box bounds(const Image& image, const std::function<bool(const Pixel&)>& is_ink) {
    constexpr int kSize = GlWindow::kSize;
    Box box{kSize, kSize, 0, 0};
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            if (!is_ink(image[y * kSize + x]))
                continue;
            box = {std::min(box.x0, x), std::min(box.y0, y), std::max(box.x1, x + 1),
                   std::max(box.y1, y + 1)};
        }
    }
    return box.x1 == 0 ? Box{} : box;
}

inline std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << b.x0 << "," << b.y0 << " - " << b.x1 << "," << b.y1;
}

// Widgets made by script and drawn one at a time through a UI batch on the test window, as a UI
// draws them (without a UI, one widget unit is one pixel). The game has the font "system" (the
// generated DejaVu Sans 32, line height 37, "i" advancing 9 and "H" 24), a white texture and a
// 32 x 32 texture "stripes" whose columns 0-9 are red, 10-21 green and 22-31 blue; its sprites:
//   big      64 x 64, white
//   framed   the whole stripes texture with a 10-pixel border on the left and right
//   redbox   the red columns of stripes
//   anim     frames redbox, then big
class UIDrawTest : public DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        ASSERT_TRUE(vm_.run(R"(
            ::g_texture_defs["fonts/sans32.png"] <- { mipmaps = false };
            ::g_font_defs.system <- { file = "fonts/sans32.fnt" };
            ::g_texture_defs.white <- { _special_ = "_white_" };
            ::g_texture_defs.stripes <- { dynamic = true, width = 32, height = 32, format = "rgba",
                                          filtering = "nearest", clampuv = true };
            ::g_sprite_defs.big <- { texture = "white", rect = [0, 0, 64, 64] };
            ::g_sprite_defs.framed <- { texture = "stripes", border = [10, 10, 0, 0] };
            ::g_sprite_defs.redbox <- { texture = "stripes", rect = [0, 0, 10, 32] };
            ::g_sprite_defs.anim <- { frames = ["redbox", "big"], duration = 1 };
        )"));
        stripes_.reset(get_or_load<Texture>(vm_.vm(), "stripes", false));
        ASSERT_TRUE(stripes_);
        std::vector<unsigned char> rgb;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                rgb.insert(rgb.end(), {static_cast<unsigned char>(x < 10 ? 255 : 0),
                                       static_cast<unsigned char>(x >= 10 && x < 22 ? 255 : 0),
                                       static_cast<unsigned char>(x >= 22 ? 255 : 0)});
        // Sampled nearest, so that every pixel shows one stripe.
        stripes_->upload_pixels({32, 32, PixelFormat::RGB8, rgb.data()},
                                {.clamp = true, .nearest = true});
        ASSERT_TRUE(batch_.create());
    }
    void TearDown() override {
        // Widgets, fonts and textures belong to the VM, and the renderer must let go of them
        // first.
        batch_.release();
        renderer_.shutdown();
        stripes_.reset();
        DrawingTest::TearDown();
    }

    // Runs "::slot <- expression" (more statements may follow) and returns the native widget.
    template <typename T>
    T* make(const std::string& expression, const std::string& slot = "w") {
        ScriptObject value;
        if (!vm_.run("::" + slot + " <- " + expression + "; return ::" + slot + ";", &value)) {
            ADD_FAILURE() << "script failed: " << expression;
            return nullptr;
        }
        value.push(vm_.vm());
        T* object = object_at<T>(vm_.vm(), -1);
        sq_pop(vm_.vm(), 1);
        return object;
    }

    // One frame cleared to background with widget drawn.
    Image draw(UIWidget& widget, std::array<float, 3> background = {0, 0, 0}) {
        clear_frame(background);
        renderer_.begin_frame();
        renderer_.bind_window();
        renderer_.apply_state_if_changed(batch_.render_state());
        widget.draw(batch_);
        renderer_.end_frame();
        Image image;
        for (int y = 0; y < GlWindow::kSize; ++y)
            for (int x = 0; x < GlWindow::kSize; ++x)
                image.push_back(pixel(x, y));
        return image;
    }

    FontGameDir game_;
    ScriptVm vm_;
    ObjectRef<Texture> stripes_;
    UIBatch batch_{renderer_};
};

inline bool lit(const Pixel& p) {
    return p[0] + p[1] + p[2] > 0;
}

}  // namespace tarn::test
