#include <zlib.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "resources/image_decoder.hpp"
#include "support/log_capture.hpp"
#include "unit/resources/image_test_files.hpp"

namespace tarn {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

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

// A width x height RGB picture whose pixel (x, y) is (x, y, x + y) modulo 256.
test::PngPicture gradient(int width, int height) {
    test::PngPicture p;
    p.width = width;
    p.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.rows.insert(p.rows.end(), {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                                         static_cast<std::uint8_t>(x + y)});
    return p;
}

class PngDecodeTest : public ::testing::Test {
protected:
    bool decode(const std::string& file, std::uint32_t flags = 0) {
        test::GuardedBuffer buffer(file);
        return decode_png(buffer.data(), buffer.size(), flags, image_) == DecodeResult::Decoded;
    }

    test::LogCapture log_;
    Image image_;
};

TEST_F(PngDecodeTest, RgbAndRgbaComeThroughUnchanged) {
    ASSERT_TRUE(decode(encode_png(gradient(3, 2))));
    EXPECT_EQ(image_.format, PixelFormat::RGB8);
    EXPECT_EQ(image_.width, 3);
    EXPECT_EQ(image_.height, 2);
    EXPECT_EQ(image_.size, 18);
    EXPECT_THAT(pixel_at(image_, 2, 1), ElementsAre(2, 1, 3));

    test::PngPicture rgba;
    rgba.width = 2;
    rgba.color_type = PNG_COLOR_TYPE_RGB_ALPHA;
    rgba.rows = {10, 20, 30, 40, 200, 100, 50, 128};
    ASSERT_TRUE(decode(encode_png(rgba)));
    EXPECT_EQ(image_.format, PixelFormat::RGBA8);
    EXPECT_THAT(pixel_at(image_, 1, 0), ElementsAre(200, 100, 50, 128));
}

TEST_F(PngDecodeTest, PaletteWithTransparencyBecomesRgba) {
    test::PngPicture p;
    p.width = 3;
    p.bit_depth = 4;
    p.color_type = PNG_COLOR_TYPE_PALETTE;
    p.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    p.transparency = {0, 77};  // the third entry stays opaque
    p.rows = {0x01, 0x20};     // indices 0, 1, 2
    ASSERT_TRUE(decode(encode_png(p)));
    EXPECT_EQ(image_.format, PixelFormat::RGBA8);
    EXPECT_THAT(pixel_at(image_, 0, 0), ElementsAre(255, 0, 0, 0));
    EXPECT_THAT(pixel_at(image_, 1, 0), ElementsAre(0, 255, 0, 77));
    EXPECT_THAT(pixel_at(image_, 2, 0), ElementsAre(0, 0, 255, 255));
}

TEST_F(PngDecodeTest, PaletteWithoutTransparencyBecomesRgb) {
    test::PngPicture p;
    p.width = 2;
    p.color_type = PNG_COLOR_TYPE_PALETTE;
    p.palette = {{1, 2, 3}, {4, 5, 6}};
    p.rows = {1, 0};
    ASSERT_TRUE(decode(encode_png(p)));
    EXPECT_EQ(image_.format, PixelFormat::RGB8);
    EXPECT_THAT(pixel_at(image_, 0, 0), ElementsAre(4, 5, 6));
}

TEST_F(PngDecodeTest, GreyBecomesRgbAndLowDepthsExpand) {
    test::PngPicture grey;
    grey.width = 2;
    grey.color_type = PNG_COLOR_TYPE_GRAY;
    grey.rows = {9, 250};
    ASSERT_TRUE(decode(encode_png(grey)));
    EXPECT_EQ(image_.format, PixelFormat::RGB8);
    EXPECT_THAT(pixel_at(image_, 1, 0), ElementsAre(250, 250, 250));

    grey.bit_depth = 2;
    grey.rows = {0xB0};  // levels 2 and 3 of 0..3
    ASSERT_TRUE(decode(encode_png(grey)));
    EXPECT_THAT(pixel_at(image_, 0, 0), ElementsAre(170, 170, 170));
    EXPECT_THAT(pixel_at(image_, 1, 0), ElementsAre(255, 255, 255));
}

TEST_F(PngDecodeTest, GreyAlphaAndGreyKeyBecomeRgba) {
    test::PngPicture grey_alpha;
    grey_alpha.color_type = PNG_COLOR_TYPE_GRAY_ALPHA;
    grey_alpha.rows = {60, 90};
    ASSERT_TRUE(decode(encode_png(grey_alpha)));
    EXPECT_EQ(image_.format, PixelFormat::RGBA8);
    EXPECT_THAT(pixel_at(image_, 0, 0), ElementsAre(60, 60, 60, 90));

    test::PngPicture keyed;
    keyed.width = 2;
    keyed.color_type = PNG_COLOR_TYPE_GRAY;
    keyed.transparency = {1};
    keyed.transparent_colour.gray = 5;
    keyed.rows = {5, 6};
    ASSERT_TRUE(decode(encode_png(keyed)));
    EXPECT_EQ(image_.format, PixelFormat::RGBA8);
    EXPECT_EQ(pixel_at(image_, 0, 0)[3], 0);
    EXPECT_THAT(pixel_at(image_, 1, 0), ElementsAre(6, 6, 6, 255));
}

TEST_F(PngDecodeTest, SixteenBitSamplesKeepTheirHighByte) {
    test::PngPicture p;
    p.bit_depth = 16;
    p.rows = {0x12, 0x34, 0xAB, 0xCD, 0xFF, 0x01};
    ASSERT_TRUE(decode(encode_png(p)));
    EXPECT_EQ(image_.format, PixelFormat::RGB8);
    EXPECT_THAT(pixel_at(image_, 0, 0), ElementsAre(0x12, 0xAB, 0xFF));
}

TEST_F(PngDecodeTest, InterlacedIsRefused) {
    test::PngPicture p = gradient(9, 9);
    p.interlaced = true;
    EXPECT_FALSE(decode(encode_png(p)));
    EXPECT_THAT(log_.lines(), ElementsAre("Interlaced PNG not supported."));
}

TEST_F(PngDecodeTest, ExtensionPadsToPowersOfTwoRepeatingTheEdges) {
    ASSERT_TRUE(decode(encode_png(gradient(300, 200)), kDecodeExtendPow2));
    EXPECT_EQ(image_.width, 512);
    EXPECT_EQ(image_.height, 256);
    EXPECT_EQ(image_.image_width, 300);
    EXPECT_EQ(image_.image_height, 200);
    EXPECT_EQ(image_.size, 512 * 256 * 3);
    EXPECT_THAT(pixel_at(image_, 299, 10), ElementsAre(299 % 256, 10, (299 + 10) % 256));
    EXPECT_THAT(pixel_at(image_, 511, 10), ElementsAre(299 % 256, 10, (299 + 10) % 256));
    EXPECT_THAT(pixel_at(image_, 7, 255), ElementsAre(7, 199, 206));
    EXPECT_THAT(pixel_at(image_, 400, 230), ElementsAre(299 % 256, 199, (299 + 199) % 256));
}

TEST_F(PngDecodeTest, PremultipliesRgbaRows) {
    test::PngPicture p;
    p.color_type = PNG_COLOR_TYPE_RGB_ALPHA;
    p.rows = {200, 100, 50, 128};
    ASSERT_TRUE(decode(encode_png(p), kDecodePremultiply | kDecodeExtendPow2));
    EXPECT_THAT(pixel_at(image_, 0, 0), ElementsAre(100, 50, 25, 128));
}

TEST_F(PngDecodeTest, SixteenBitOutputUsesTheConversionFormulas) {
    test::PngPicture p;
    p.width = 2;
    p.color_type = PNG_COLOR_TYPE_RGB_ALPHA;
    p.rows = {255, 128, 8, 200, 200, 100, 50, 128};
    std::string file = encode_png(p);

    ASSERT_TRUE(decode(file, kDecodeTo16Bit));
    EXPECT_EQ(image_.format, PixelFormat::RGBA4444);
    EXPECT_EQ(image_.size, 4);
    EXPECT_EQ(word_at(image_, 0, 0), 0xF80C);
    ASSERT_TRUE(decode(file, kDecodeTo16Bit | kDecodePremultiply));
    EXPECT_EQ(word_at(image_, 1, 0), 0x6318);
    ASSERT_TRUE(decode(file, kDecodeTo16Bit | kDecodeUse5551));
    EXPECT_EQ(image_.format, PixelFormat::RGBA5551);
    EXPECT_EQ(word_at(image_, 0, 0), 0xFC03);
    ASSERT_TRUE(decode(encode_png(gradient(1, 1)), kDecodeTo16Bit | kDecodeUse5551));
    EXPECT_EQ(image_.format, PixelFormat::RGB565);
}

TEST_F(PngDecodeTest, SixteenBitExtensionRepeatsTheLastWord) {
    test::PngPicture p = gradient(3, 3);
    for (std::uint8_t& sample : p.rows)
        sample = static_cast<std::uint8_t>(sample * 60);  // distinct after dropping low bits
    ASSERT_TRUE(decode(encode_png(p), kDecodeTo16Bit | kDecodeExtendPow2));
    ASSERT_EQ(image_.width, 4);
    ASSERT_EQ(image_.height, 4);
    EXPECT_EQ(image_.size, 4 * 4 * 2);
    EXPECT_EQ(word_at(image_, 3, 1), word_at(image_, 2, 1));
    EXPECT_EQ(word_at(image_, 1, 3), word_at(image_, 1, 2));
    EXPECT_EQ(word_at(image_, 3, 3), word_at(image_, 2, 2));
    EXPECT_NE(word_at(image_, 2, 2), word_at(image_, 0, 0));
    EXPECT_NE(word_at(image_, 2, 1), word_at(image_, 2, 2));
}

TEST_F(PngDecodeTest, WideFilesDecodeOnlyAtEightBits) {
    std::string file = encode_png(gradient(4096, 1));
    ASSERT_TRUE(decode(file));
    EXPECT_EQ(image_.width, 4096);
    EXPECT_FALSE(decode(file, kDecodeTo16Bit));
    EXPECT_THAT(log_.lines(), ElementsAre("Can't process PNG wider than 2048."));
}

TEST_F(PngDecodeTest, TruncatedFilesFailWithoutReadingPastTheBuffer) {
    std::string file = encode_png(gradient(40, 30));
    Image full;
    ASSERT_EQ(decode_png(reinterpret_cast<const std::uint8_t*>(file.data()),
                         static_cast<std::int64_t>(file.size()), 0, full),
              DecodeResult::Decoded);
    for (std::size_t cut = 0; cut < file.size(); ++cut) {
        bool ok = decode(file.substr(0, cut));
        if (cut < file.size() / 2) {
            EXPECT_FALSE(ok) << "cut at " << cut;
        }
        if (ok) {
            EXPECT_EQ(std::memcmp(image_.data.get(), full.data.get(), full.size), 0) << cut;
        }
    }
    EXPECT_THAT(log_.lines(), Contains("Error reading PNG file."));
}

TEST_F(PngDecodeTest, CorruptedBytesNeverCrash) {
    test::PngPicture p = gradient(12, 10);
    p.color_type = PNG_COLOR_TYPE_RGB;
    std::string file = encode_png(p);
    for (std::size_t at = 0; at < file.size(); ++at) {
        for (std::uint8_t mask : {0xFF, 0x01, 0x80}) {
            std::string bad = file;
            bad[at] = static_cast<char>(bad[at] ^ mask);
            if (decode(bad, kDecodeExtendPow2)) {
                EXPECT_EQ(image_.size, image_.width * image_.height * 3) << at;
            }
        }
    }
}

// Rewrites the IHDR size of a PNG and fixes the chunk's checksum, so only the size is wrong.
std::string with_header_size(std::string file, std::uint32_t width, std::uint32_t height) {
    auto put = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            file[at + i] = static_cast<char>(v >> (24 - 8 * i));
    };
    put(16, width);
    put(20, height);
    auto crc = crc32(0, reinterpret_cast<const Bytef*>(file.data() + 12), 17);
    put(29, static_cast<std::uint32_t>(crc));
    return file;
}

TEST_F(PngDecodeTest, AbsurdHeaderSizesFailCleanly) {
    std::string file = encode_png(gradient(4, 4));
    for (auto [w, h] : {std::pair<std::uint32_t, std::uint32_t>{1000000, 1000000},
                        {0x7FFFFFFF, 1},
                        {20000, 20000},
                        {0, 4},
                        {0xFFFFFFFF, 0xFFFFFFFF}}) {
        EXPECT_FALSE(decode(with_header_size(file, w, h), kDecodeExtendPow2)) << w << "x" << h;
        EXPECT_EQ(image_.data, nullptr);
    }
    EXPECT_THAT(log_.lines(), Contains("Error reading PNG file."));
    std::string roomy = with_header_size(file, 4, 40);
    EXPECT_FALSE(decode(roomy)) << "rows the data does not hold";
}

// A caller's size limit refuses a picture from its header, before any row is decoded; the
// decoder's own checks that come before the size still speak first.
TEST_F(PngDecodeTest, PicturesBeyondTheCallersLimitAreRefusedFromTheHeader) {
    test::PngPicture interlaced = gradient(4, 4);
    interlaced.interlaced = true;
    struct Case {
        std::string file;
        std::uint32_t flags;
        DecodeResult result;
        std::int32_t image_width, image_height;
        std::vector<std::string> log;
    };
    const std::string small = encode_png(gradient(4, 4));
    const Case cases[] = {
        {with_header_size(small, 16384, 16384), 0, DecodeResult::TooLarge, 16384, 16384, {}},
        {with_header_size(small, 1000000, 4),
         kDecodeExtendPow2,
         DecodeResult::TooLarge,
         1000000,
         4,
         {}},
        {with_header_size(small, 4, 2049), kDecodeTo16Bit, DecodeResult::TooLarge, 4, 2049, {}},
        {encode_png(gradient(4096, 2)),
         kDecodeTo16Bit,
         DecodeResult::Failed,
         0,
         0,
         {"Can't process PNG wider than 2048."}},
        {with_header_size(encode_png(interlaced), 4096, 4096),
         0,
         DecodeResult::Failed,
         0,
         0,
         {"Interlaced PNG not supported."}},
        // At the limit the rows are read, and this file has too few of them.
        {with_header_size(small, 2048, 4),
         0,
         DecodeResult::Failed,
         0,
         0,
         {"Error reading PNG file."}},
    };
    for (const Case& c : cases) {
        test::LogCapture log;
        test::GuardedBuffer buffer(c.file);
        EXPECT_EQ(decode_png(buffer.data(), buffer.size(), c.flags, image_, 2048), c.result);
        if (c.result == DecodeResult::TooLarge) {
            EXPECT_EQ(image_.data, nullptr);
            EXPECT_EQ(image_.image_width, c.image_width);
            EXPECT_EQ(image_.image_height, c.image_height);
        }
        EXPECT_EQ(log.lines(), c.log);
    }
}

// Inserts a chunk right after the header chunk.
std::string with_chunk(const std::string& file, const char* type, const std::string& data) {
    std::string chunk(4, '\0');
    for (int i = 0; i < 4; ++i)
        chunk[i] = static_cast<char>(data.size() >> (24 - 8 * i));
    chunk += type + data;
    auto crc = crc32(0, reinterpret_cast<const Bytef*>(chunk.data() + 4), chunk.size() - 4);
    for (int i = 0; i < 4; ++i)
        chunk += static_cast<char>(crc >> (24 - 8 * i));
    return file.substr(0, 33) + chunk + file.substr(33);
}

// No chunk may make libpng allocate more than the file holds: a text that inflates beyond
// that is dropped with a warning, and the picture still decodes.
TEST_F(PngDecodeTest, ChunksInflatingBeyondTheFileAreDropped) {
    const std::string text(1 << 20, 'z');
    std::string packed(compressBound(text.size()), '\0');
    uLongf packed_size = packed.size();
    ASSERT_EQ(compress(reinterpret_cast<Bytef*>(packed.data()), &packed_size,
                       reinterpret_cast<const Bytef*>(text.data()), text.size()),
              Z_OK);
    packed.resize(packed_size);
    const std::string file =
        with_chunk(encode_png(gradient(3, 2)), "zTXt", std::string("Comment\0\0", 9) + packed);
    ASSERT_LT(file.size(), 4096u);
    ASSERT_TRUE(decode(file));
    EXPECT_THAT(pixel_at(image_, 2, 1), ElementsAre(2, 1, 3));
}

TEST_F(PngDecodeTest, EmptyAndForeignInputFail) {
    EXPECT_FALSE(decode(""));
    EXPECT_FALSE(decode("GIF89a this is not a png at all"));
    EXPECT_THAT(log_.lines(), ElementsAre("Error reading PNG file.", "Error reading PNG file."));
}

}  // namespace
}  // namespace tarn
