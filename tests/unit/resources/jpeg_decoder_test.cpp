#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "resources/image_decoder.hpp"
#include "support/log_capture.hpp"
#include "unit/resources/image_test_files.hpp"

namespace tarn {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// width x height pixels of one colour.
std::vector<std::uint8_t> solid(int width, int height, std::vector<std::uint8_t> colour) {
    std::vector<std::uint8_t> samples;
    for (int i = 0; i < width * height; ++i)
        samples.insert(samples.end(), colour.begin(), colour.end());
    return samples;
}

// Whether every sample of the image is within 3 of the colour (JPEG is lossy).
bool all_near(const Image& image, std::vector<std::uint8_t> colour) {
    for (std::int32_t i = 0; i < image.size; ++i) {
        if (std::abs(image.data[i] - colour[i % 3]) > 3)
            return false;
    }
    return true;
}

class JpegDecodeTest : public ::testing::Test {
protected:
    bool decode(const std::string& file) {
        test::GuardedBuffer buffer(file);
        return decode_jpeg(buffer.data(), buffer.size(), image_) == DecodeResult::Decoded;
    }
    bool decode_with(const std::string& file, std::uint32_t flags) {
        test::GuardedBuffer buffer(file);
        return decode_image(buffer.data(), buffer.size(), ImageType::Jpeg, flags, image_) ==
               DecodeResult::Decoded;
    }

    test::LogCapture log_;
    Image image_;
    std::string orange_ = test::encode_jpeg(20, 10, 3, solid(20, 10, {240, 120, 30}));
};

TEST_F(JpegDecodeTest, ColourFileDecodesToRgb8) {
    ASSERT_TRUE(decode(orange_));
    EXPECT_EQ(image_.format, PixelFormat::RGB8);
    EXPECT_EQ(image_.width, 20);
    EXPECT_EQ(image_.height, 10);
    EXPECT_EQ(image_.image_width, 20);
    EXPECT_EQ(image_.image_height, 10);
    EXPECT_EQ(image_.size, 20 * 10 * 3);
    EXPECT_TRUE(all_near(image_, {240, 120, 30}));
    EXPECT_TRUE(log_.lines().empty());
}

TEST_F(JpegDecodeTest, GreyFileDecodesToRgb8) {
    ASSERT_TRUE(decode(test::encode_jpeg(8, 8, 1, solid(8, 8, {77}))));
    EXPECT_EQ(image_.format, PixelFormat::RGB8);
    EXPECT_EQ(image_.size, 8 * 8 * 3);
    EXPECT_TRUE(all_near(image_, {77, 77, 77}));
}

TEST_F(JpegDecodeTest, FlagsApplyAfterDecoding) {
    ASSERT_TRUE(decode_with(orange_, kDecodeExtendPow2));
    EXPECT_EQ(image_.width, 32);
    EXPECT_EQ(image_.height, 16);
    EXPECT_EQ(image_.image_width, 20);
    EXPECT_TRUE(all_near(image_, {240, 120, 30})) << "padding repeats the edge pixels";

    ASSERT_TRUE(decode_with(orange_, kDecodePremultiply));
    EXPECT_EQ(image_.format, PixelFormat::RGB8) << "premultiplying RGB changes nothing";
    EXPECT_TRUE(all_near(image_, {240, 120, 30}));

    ASSERT_TRUE(decode_with(
        orange_, kDecodeTo16Bit | kDecodePremultiply | kDecodeUse5551 | kDecodeExtendPow2));
    EXPECT_EQ(image_.format, PixelFormat::RGB565);
    EXPECT_EQ(image_.width, 32);
    EXPECT_EQ(image_.size, 32 * 16 * 2);
}

TEST_F(JpegDecodeTest, ForeignDataFailsWithTheLibraryMessageFirst) {
    EXPECT_FALSE(decode("\x89PNG not a jpeg"));
    auto lines = log_.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_THAT(lines[0], HasSubstr("Not a JPEG file"));
    EXPECT_EQ(lines[1], "Error reading JPEG file.");
    EXPECT_FALSE(decode(""));
}

TEST_F(JpegDecodeTest, TruncatedFilesNeverReadPastTheBuffer) {
    for (std::size_t cut = 0; cut < orange_.size(); ++cut) {
        bool ok = decode(orange_.substr(0, cut));
        if (cut < 100) {
            EXPECT_FALSE(ok) << "a cut inside the headers fails: " << cut;
        }
        if (ok) {
            EXPECT_EQ(image_.size, 20 * 10 * 3) << cut;
        }
    }
    EXPECT_THAT(log_.lines(), Contains("Error reading JPEG file."));
}

TEST_F(JpegDecodeTest, CorruptedBytesNeverCrash) {
    std::string file = test::encode_jpeg(16, 16, 3, solid(16, 16, {10, 200, 90}), 75);
    for (std::size_t at = 0; at < file.size(); ++at) {
        for (std::uint8_t mask : {0xFF, 0x01, 0x40}) {
            std::string bad = file;
            bad[at] = static_cast<char>(bad[at] ^ mask);
            if (decode(bad)) {
                EXPECT_EQ(image_.size, image_.width * image_.height * 3) << at;
            }
        }
    }
}

// Rewrites the frame size in the first SOF0 segment.
std::string with_frame_size(std::string file, std::uint16_t width, std::uint16_t height) {
    std::size_t sof = file.find("\xFF\xC0");
    EXPECT_NE(sof, std::string::npos);
    file[sof + 5] = static_cast<char>(height >> 8);
    file[sof + 6] = static_cast<char>(height & 0xFF);
    file[sof + 7] = static_cast<char>(width >> 8);
    file[sof + 8] = static_cast<char>(width & 0xFF);
    return file;
}

TEST_F(JpegDecodeTest, AbsurdFrameSizesFailCleanly) {
    for (auto [w, h] : {std::pair<std::uint16_t, std::uint16_t>{65500, 65500},
                        {65535, 65535},
                        {20000, 10},
                        {0, 10}}) {
        EXPECT_FALSE(decode(with_frame_size(orange_, w, h))) << w << "x" << h;
        EXPECT_EQ(image_.data, nullptr);
    }
    EXPECT_THAT(log_.lines(), Contains("Error reading JPEG file."));
}

// Beyond the caller's limit a frame is refused from its header, before libjpeg decodes (or
// makes up) a single row.
TEST_F(JpegDecodeTest, FramesBeyondTheCallersLimitAreRefusedFromTheHeader) {
    for (auto [w, h] : {std::pair<std::uint16_t, std::uint16_t>{16384, 16384},
                        {2049, 10},
                        {20, 2049},
                        {65500, 65500}}) {
        test::GuardedBuffer buffer(with_frame_size(orange_, w, h));
        EXPECT_EQ(decode_jpeg(buffer.data(), buffer.size(), image_, 2048), DecodeResult::TooLarge);
        EXPECT_EQ(image_.data, nullptr);
        EXPECT_EQ(image_.image_width, w);
        EXPECT_EQ(image_.image_height, h);
    }
    EXPECT_EQ(log_.lines(), std::vector<std::string>{});
    test::GuardedBuffer at_limit(with_frame_size(orange_, 2048, 2048));
    EXPECT_EQ(decode_jpeg(at_limit.data(), at_limit.size(), image_, 2048), DecodeResult::Decoded);
}

TEST_F(JpegDecodeTest, LargerFrameThanDataEndsWithThePaddedImage) {
    // The missing rows come from the end-of-image marker the source supplies.
    ASSERT_TRUE(decode(with_frame_size(orange_, 20, 200)));
    EXPECT_EQ(image_.height, 200);
    EXPECT_EQ(image_.size, 20 * 200 * 3);
    EXPECT_FALSE(log_.lines().empty()) << "libjpeg's warning is logged";
}

}  // namespace
}  // namespace tarn
