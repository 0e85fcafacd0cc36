// Screenshots: the frame being drawn, read back and written as PNG, must come back from the
// decoder the right way up and in the right colours; a file that cannot be written is reported.
#include "app/screenshot.hpp"

#include <gtest/gtest.h>

#include "core/platform_state.hpp"
#include "resources/image_decoder.hpp"
#include "resources/png_encoder.hpp"
#include "support/log_capture.hpp"
#include "support/temp_dir.hpp"
#include "unit/render/gl_window.hpp"

namespace tarn {
namespace {

using test::GlWindow;
using Rgb = std::array<int, 3>;

Image decode_file(const std::string& path) {
    const std::string bytes = test::read_file_text(path);
    Image image;
    decode_png(reinterpret_cast<const std::uint8_t*>(bytes.data()),
               static_cast<std::int64_t>(bytes.size()), 0, image);
    return image;
}

Rgb pixel(const Image& image, int x, int y) {
    const std::uint8_t* p = image.row(y) + x * bytes_per_pixel(image.format);
    return {p[0], p[1], p[2]};
}

TEST(Screenshot, SavesTheFrameTopRowFirst) {
    ASSERT_NE(GlWindow::get(), nullptr) << "needs an X display with OpenGL";
    platform_state().width = GlWindow::kSize;
    platform_state().height = GlWindow::kSize;
    // Red everywhere but the top-left quadrant, which is blue (GL counts rows from the bottom).
    constexpr int kHalf = GlWindow::kSize / 2;
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, kHalf, kHalf, kHalf);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);

    test::TempDir dir;
    ASSERT_TRUE(save_screenshot(dir / "shot.png"));
    const Image image = decode_file(dir / "shot.png");
    ASSERT_EQ(image.width, GlWindow::kSize);
    ASSERT_EQ(image.height, GlWindow::kSize);
    const struct {
        int x, y;
        Rgb color;
    } expected[] = {{0, 0, {0, 0, 255}},
                    {kHalf - 1, kHalf - 1, {0, 0, 255}},
                    {kHalf, 0, {255, 0, 0}},
                    {0, kHalf, {255, 0, 0}},
                    {GlWindow::kSize - 1, GlWindow::kSize - 1, {255, 0, 0}}};
    for (const auto& e : expected)
        EXPECT_EQ(pixel(image, e.x, e.y), e.color) << e.x << ", " << e.y;

    test::LogCapture log;
    EXPECT_FALSE(save_screenshot(dir / "missing/shot.png"));
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Can't save the screenshot '" +
                                                    (dir / "missing/shot.png") + "'."});
}

TEST(PngEncoder, WritesWhatTheDecoderReadsBack) {
    const struct {
        PixelFormat format;
        int width, height;
        bool saved;
    } cases[] = {{PixelFormat::RGB8, 3, 2, true},
                 {PixelFormat::RGBA8, 2, 5, true},
                 {PixelFormat::RGB565, 2, 2, false}};
    test::TempDir dir;
    for (const auto& c : cases) {
        Image image;
        ASSERT_TRUE(image.allocate(c.width, c.height, c.format));
        for (std::int32_t i = 0; i < image.size; ++i)
            image.data[i] = static_cast<std::uint8_t>(i * 37 + 11);
        ASSERT_EQ(save_png(image, dir / "a.png"), c.saved) << c.width;
        if (!c.saved)
            continue;
        const Image back = decode_file(dir / "a.png");
        ASSERT_EQ(back.format, c.format);
        ASSERT_EQ(back.size, image.size);
        EXPECT_TRUE(std::equal(back.data.get(), back.data.get() + back.size, image.data.get()));
    }
}

}  // namespace
}  // namespace tarn
