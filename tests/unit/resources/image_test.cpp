#include "resources/image.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "support/log_capture.hpp"

namespace tarn {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

// An image holding the given pixels, rows top to bottom.
Image make_image(int width, int height, PixelFormat format, const std::vector<std::uint8_t>& px) {
    Image image;
    EXPECT_TRUE(image.allocate(width, height, format));
    EXPECT_EQ(px.size(), static_cast<std::size_t>(image.size));
    std::memcpy(image.data.get(), px.data(), px.size());
    image.image_width = width;
    image.image_height = height;
    return image;
}

std::vector<std::uint8_t> pixel_at(const Image& image, int x, int y) {
    int bpp = bytes_per_pixel(image.format);
    const std::uint8_t* p = image.row(y) + x * bpp;
    return std::vector<std::uint8_t>(p, p + bpp);
}

std::uint16_t word_at(const Image& image, int x, int y) {
    std::uint16_t word;
    std::memcpy(&word, image.row(y) + x * 2, 2);
    return word;
}

TEST(ImageBasics, NextPow2RoundsUpAndMapsZeroToOne) {
    EXPECT_EQ(next_pow2(0), 1);
    EXPECT_EQ(next_pow2(1), 1);
    EXPECT_EQ(next_pow2(3), 4);
    EXPECT_EQ(next_pow2(256), 256);
    EXPECT_EQ(next_pow2(300), 512);
}

TEST(ImageBasics, MovingTransfersTheBufferAndEmptiesTheSource) {
    Image a = make_image(2, 1, PixelFormat::RGB8, {1, 2, 3, 4, 5, 6});
    const std::uint8_t* buffer = a.data.get();
    Image b = std::move(a);
    EXPECT_EQ(b.data.get(), buffer);
    EXPECT_EQ(b.width, 2);
    EXPECT_EQ(b.size, 6);
    EXPECT_EQ(a.data, nullptr);
    EXPECT_EQ(a.width, 0);
    EXPECT_EQ(a.size, 0);
}

TEST(ImageBasics, AllocateRefusesSizesBeyondInt32) {
    Image image;
    EXPECT_FALSE(image.allocate(65536, 65536, PixelFormat::RGBA8));
    EXPECT_FALSE(image.allocate(0, 4, PixelFormat::RGB8));
    EXPECT_EQ(image.data, nullptr);
}

TEST(ImagePremultiply, ScalesColourByAlpha) {
    Image image =
        make_image(3, 1, PixelFormat::RGBA8, {200, 100, 50, 128, 255, 7, 255, 255, 90, 80, 70, 0});
    premultiply_alpha(image);
    EXPECT_THAT(pixel_at(image, 0, 0), ElementsAre(100, 50, 25, 128));
    EXPECT_THAT(pixel_at(image, 1, 0), ElementsAre(255, 7, 255, 255)) << "opaque keeps colour";
    EXPECT_THAT(pixel_at(image, 2, 0), ElementsAre(0, 0, 0, 0));
}

TEST(ImagePremultiply, LeavesRgbAlone) {
    Image image = make_image(1, 1, PixelFormat::RGB8, {200, 100, 50});
    premultiply_alpha(image);
    EXPECT_THAT(pixel_at(image, 0, 0), ElementsAre(200, 100, 50));
}

TEST(Image16Bit, RgbBecomes565) {
    Image image = make_image(2, 1, PixelFormat::RGB8, {255, 128, 8, 7, 3, 255});
    convert_to_16bit(image, true, true);
    EXPECT_EQ(image.format, PixelFormat::RGB565);
    EXPECT_EQ(word_at(image, 0, 0), 0xFC01);  // 31 << 11 | 32 << 5 | 1
    EXPECT_EQ(word_at(image, 1, 0), 0x001F);  // 0 | 0 | 31
}

TEST(Image16Bit, RgbaBecomes5551WithAndWithoutPremultiply) {
    std::vector<std::uint8_t> px = {255, 128, 8, 200, 255, 128, 8, 100};
    Image plain = make_image(2, 1, PixelFormat::RGBA8, px);
    convert_to_16bit(plain, false, true);
    EXPECT_EQ(plain.format, PixelFormat::RGBA5551);
    EXPECT_EQ(word_at(plain, 0, 0), 0xFC03);  // 31 << 11 | 16 << 6 | 1 << 1 | 1
    EXPECT_EQ(word_at(plain, 1, 0), 0xFC02);

    Image premultiplied = make_image(2, 1, PixelFormat::RGBA8, px);
    convert_to_16bit(premultiplied, true, true);
    EXPECT_EQ(word_at(premultiplied, 0, 0), 0xFC03) << "an opaque bit keeps the colour";
    EXPECT_EQ(word_at(premultiplied, 1, 0), 0x0000) << "a clear bit clears the colour";
}

TEST(Image16Bit, RgbaBecomes4444WithAndWithoutPremultiply) {
    std::vector<std::uint8_t> px = {255, 128, 8, 200, 200, 100, 50, 128};
    Image plain = make_image(2, 1, PixelFormat::RGBA8, px);
    convert_to_16bit(plain, false, false);
    EXPECT_EQ(plain.format, PixelFormat::RGBA4444);
    EXPECT_EQ(word_at(plain, 0, 0), 0xF80C);
    EXPECT_EQ(word_at(plain, 1, 0), 0xC638);

    Image premultiplied = make_image(2, 1, PixelFormat::RGBA8, px);
    convert_to_16bit(premultiplied, true, false);
    EXPECT_EQ(word_at(premultiplied, 0, 0), 0xC60C);  // a4 = 12: 12, 6, 0
    EXPECT_EQ(word_at(premultiplied, 1, 0), 0x6318);  // a4 = 8: 6, 3, 1
}

TEST(Image16Bit, ConvertsInPlaceAcrossRows) {
    // Every pixel differs, so a row read after it was overwritten would show.
    std::vector<std::uint8_t> px;
    for (int i = 0; i < 5 * 3; ++i)
        px.insert(px.end(), {static_cast<std::uint8_t>(i * 16), static_cast<std::uint8_t>(255 - i),
                             static_cast<std::uint8_t>(i * 7)});
    Image image = make_image(5, 3, PixelFormat::RGB8, px);
    const std::uint8_t* buffer = image.data.get();
    convert_to_16bit(image, false, false);
    EXPECT_EQ(image.data.get(), buffer) << "the allocation is kept";
    EXPECT_EQ(image.size, 5 * 3 * 2);
    for (int i = 0; i < 15; ++i) {
        Image single =
            make_image(1, 1, PixelFormat::RGB8, {px[i * 3], px[i * 3 + 1], px[i * 3 + 2]});
        convert_to_16bit(single, false, false);
        EXPECT_EQ(word_at(image, i % 5, i / 5), word_at(single, 0, 0)) << "pixel " << i;
    }
}

TEST(Image16Bit, LeavesSixteenBitAndEmptyImagesAlone) {
    Image image = make_image(1, 1, PixelFormat::RGB8, {255, 255, 255});
    convert_to_16bit(image, false, false);
    convert_to_16bit(image, false, true);
    EXPECT_EQ(image.format, PixelFormat::RGB565);
    EXPECT_EQ(word_at(image, 0, 0), 0xFFFF);
    Image empty;
    convert_to_16bit(empty, false, false);
    EXPECT_EQ(empty.format, PixelFormat::RGB8);
}

TEST(ImageExtend, RepeatsLastColumnAndRow) {
    Image image = make_image(3, 3, PixelFormat::RGB8, {1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5,
                                                       5, 6, 6, 6, 7, 7, 7, 8, 8, 8, 9, 9, 9});
    extend_to_power_of_two(image);
    ASSERT_EQ(image.width, 4);
    ASSERT_EQ(image.height, 4);
    EXPECT_EQ(image.size, 4 * 4 * 3);
    EXPECT_EQ(image.image_width, 3) << "the picture size is unchanged";
    EXPECT_THAT(pixel_at(image, 2, 1), ElementsAre(6, 6, 6));
    EXPECT_THAT(pixel_at(image, 3, 1), ElementsAre(6, 6, 6));
    EXPECT_THAT(pixel_at(image, 0, 3), ElementsAre(7, 7, 7));
    EXPECT_THAT(pixel_at(image, 3, 3), ElementsAre(9, 9, 9));
}

TEST(ImageExtend, KeepsPowerOfTwoImagesAsTheyAre) {
    Image image = make_image(2, 1, PixelFormat::RGBA8, {1, 2, 3, 4, 5, 6, 7, 8});
    const std::uint8_t* buffer = image.data.get();
    extend_to_power_of_two(image);
    EXPECT_EQ(image.data.get(), buffer);
    EXPECT_EQ(image.width, 2);
}

TEST(ImageDeathTest, SixteenBitMisuseStopsTheProcessWithItsMessage) {
    test::LogCapture log;
    Image image = make_image(1, 1, PixelFormat::RGB8, {0, 0, 0});
    convert_to_16bit(image, false, false);
    EXPECT_DEATH(extend_to_power_of_two(image), "");
    EXPECT_THAT(log.lines(), Contains("Image::extend_to_power_of_two() not supported for 16bpp."));
    EXPECT_DEATH(get_pixel(image, 0, 0), "");
    EXPECT_THAT(log.lines(), Contains("Image::get_pixel() not supported for 16bpp."));
}

TEST(ImageColorKey, RgbBecomesRgbaWithMagentaCleared) {
    Image image = make_image(2, 1, PixelFormat::RGB8, {255, 0, 255, 255, 1, 255});
    image.image_width = 1;
    apply_color_key(image);
    EXPECT_EQ(image.format, PixelFormat::RGBA8);
    EXPECT_EQ(image.size, 8);
    EXPECT_EQ(image.image_width, 2) << "the picture size becomes the buffer size";
    EXPECT_THAT(pixel_at(image, 0, 0), ElementsAre(0, 0, 0, 0));
    EXPECT_THAT(pixel_at(image, 1, 0), ElementsAre(255, 1, 255, 255));
}

TEST(ImageColorKey, RgbaMagentaClearsWhateverItsAlpha) {
    Image image =
        make_image(3, 1, PixelFormat::RGBA8, {255, 0, 255, 17, 255, 0, 254, 17, 10, 20, 30, 40});
    apply_color_key(image);
    EXPECT_THAT(pixel_at(image, 0, 0), ElementsAre(0, 0, 0, 0));
    EXPECT_THAT(pixel_at(image, 1, 0), ElementsAre(255, 0, 254, 17));
    EXPECT_THAT(pixel_at(image, 2, 0), ElementsAre(10, 20, 30, 40));
}

// A sheet of RGB pixels, grey everywhere except where marks are magenta.
Image sheet(int width, int height, const std::vector<int>& magenta_columns,
            const std::vector<int>& magenta_rows) {
    std::vector<std::uint8_t> px(width * height * 3, 128);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bool key = std::find(magenta_columns.begin(), magenta_columns.end(), x) !=
                           magenta_columns.end() ||
                       std::find(magenta_rows.begin(), magenta_rows.end(), y) != magenta_rows.end();
            if (key) {
                px[(y * width + x) * 3] = 255;
                px[(y * width + x) * 3 + 1] = 0;
                px[(y * width + x) * 3 + 2] = 255;
            }
        }
    }
    return make_image(width, height, PixelFormat::RGB8, px);
}

TEST(ImageFrames, TwoFramesSideBySide) {
    Image image = sheet(33, 16, {16}, {});
    EXPECT_THAT(find_frames(image),
                ElementsAre(ImageFrame{0, 0, 16, 16}, ImageFrame{17, 0, 16, 16}));
}

TEST(ImageFrames, BandsFollowTheTallestFrame) {
    // A 2 x 2 grid of 4 x 3 frames, then a magenta border on the right and at the bottom.
    Image image = sheet(10, 8, {4, 9}, {3, 7});
    EXPECT_THAT(find_frames(image), ElementsAre(ImageFrame{0, 0, 4, 3}, ImageFrame{5, 0, 4, 3},
                                                ImageFrame{0, 4, 4, 3}, ImageFrame{5, 4, 4, 3}));
}

TEST(ImageFrames, MagentaStartSkipsTheBandAndAnEmptyImageHasNone) {
    Image image = sheet(4, 5, {}, {0});
    EXPECT_THAT(find_frames(image), ElementsAre(ImageFrame{0, 1, 4, 4}));
    EXPECT_TRUE(find_frames(Image{}).empty());
}

TEST(ImageFrames, GetPixelPacksRgb) {
    Image image = make_image(2, 1, PixelFormat::RGBA8, {1, 2, 3, 4, 0x10, 0x20, 0x30, 0x40});
    EXPECT_EQ(get_pixel(image, 1, 0), 0x302010u);
}

}  // namespace
}  // namespace tarn
