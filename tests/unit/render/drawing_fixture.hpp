#pragma once

#include <gtest/gtest.h>

#include <array>

#include "gl_window.hpp"
#include "render/renderer.hpp"

namespace tarn::test {

// A fresh renderer on the shared test window, viewed as the engine views it after a video-mode
// change, with 1x1 textures of known colours, the null texture, and helpers that draw quads
// through the batch.
class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = GlWindow::get();
        ASSERT_NE(window_, nullptr) << "drawing tests need an X display with OpenGL";
        red_ = solid({255, 0, 0});
        green_ = solid({0, 255, 0});
        white_ = solid({255, 255, 255});
        nothing_.reset(new GpuTexture);
        nothing_->set_null(true);
        ASSERT_TRUE(red_ && green_ && white_);
        glBindTexture(GL_TEXTURE_2D, 0);
        renderer_.reset_after_video_mode();
        renderer_.set_window_view(GlWindow::kSize, GlWindow::kSize);
        renderer_.init_gl();
        while (glGetError() != GL_NO_ERROR) {
        }
    }
    // Every test's GL calls must have been valid ones.
    void TearDown() override {
        if (window_ != nullptr) {
            EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        }
    }

    // A 1x1 texture whose one pixel is rgb; null when it could not be made.
    static ObjectRef<GpuTexture> solid(std::array<unsigned char, 3> rgb) {
        ObjectRef<GpuTexture> texture(new GpuTexture);
        if (!texture->create_gl_texture(GpuTexture::Kind::k2d))
            return {};
        texture->upload_pixels({1, 1, PixelFormat::RGB8, rgb.data()}, {});
        return texture;
    }

    // One quad from (x0, y0) to (x1, y1) in the engine's vertex order: top-right, top-left,
    // bottom-right, bottom-left. False when the batch refused it.
    bool quad(GpuTexture* texture, float x0, float y0, float x1, float y1,
              std::array<PackedColor, 4> colors) {
        BatchVertex* v = renderer_.add_quad(texture);
        if (v == nullptr)
            return false;
        v[0] = {x1, y0, colors[0], 1.0f, 0.0f};
        v[1] = {x0, y0, colors[1], 0.0f, 0.0f};
        v[2] = {x1, y1, colors[2], 1.0f, 1.0f};
        v[3] = {x0, y1, colors[3], 0.0f, 1.0f};
        return true;
    }
    bool quad(GpuTexture* texture, float x0, float y0, float x1, float y1,
              PackedColor color = PackedColor{}) {
        return quad(texture, x0, y0, x1, y1, {color, color, color, color});
    }

    // A frame that clears the window to rgb.
    void clear_frame(std::array<float, 3> rgb) {
        renderer_.set_clear_enabled(true);
        renderer_.set_clear_color({rgb[0], rgb[1], rgb[2], 1.0f});
        renderer_.begin_frame();
        renderer_.end_frame();
        renderer_.set_clear_enabled(false);
    }

    std::array<int, 3> pixel(int x, int y) const { return window_->pixel(x, y); }

    GlWindow* window_ = nullptr;
    ObjectRef<GpuTexture> red_, green_, white_, nothing_;
    Renderer renderer_;
};

}  // namespace tarn::test
