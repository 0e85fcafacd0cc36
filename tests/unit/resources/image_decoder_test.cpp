#include "resources/image_decoder.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/log_capture.hpp"
#include "unit/resources/image_test_files.hpp"

namespace tarn {
namespace {

using ::testing::ElementsAre;

TEST(ImageDecodeType, ChosenByTheExactEndOfTheName) {
    test::LogCapture log;
    EXPECT_EQ(detect_image_type("data/hero.png"), ImageType::Png);
    EXPECT_EQ(detect_image_type("sky.jpg"), ImageType::Jpeg);
    EXPECT_EQ(detect_image_type("sky.jpeg"), ImageType::Jpeg);
    EXPECT_EQ(detect_image_type("apng"), ImageType::Png) << "only the last characters count";
    EXPECT_EQ(detect_image_type("HERO.PNG"), ImageType::Unknown);
    EXPECT_EQ(detect_image_type("x.gif"), ImageType::Unknown);
    EXPECT_EQ(detect_image_type("pn"), ImageType::Unknown);
    EXPECT_THAT(log.lines(), ElementsAre("Can't determine image format from file 'HERO.PNG'.",
                                         "Can't determine image format from file 'x.gif'.",
                                         "Can't determine image format from file 'pn'."));
}

TEST(ImageDecodeType, DispatchesByType) {
    test::LogCapture log;
    test::PngPicture p;
    p.rows = {1, 2, 3};
    std::string png = test::encode_png(p);
    test::GuardedBuffer buffer(png);
    Image image;
    ASSERT_EQ(decode_image(buffer.data(), buffer.size(), ImageType::Png, 0, image),
              DecodeResult::Decoded);
    EXPECT_EQ(image.size, 3);
    EXPECT_EQ(decode_image(buffer.data(), buffer.size(), ImageType::Unknown, 0, image),
              DecodeResult::Failed);
    EXPECT_EQ(image.data, nullptr) << "the image is reset before each decode";
    EXPECT_EQ(decode_image(buffer.data(), buffer.size(), ImageType::Jpeg, 0, image),
              DecodeResult::Failed);
    EXPECT_THAT(log.lines(),
                ElementsAre("Invalid image input format specified.",
                            "Not a JPEG file: starts with 0x89 0x50", "Error reading JPEG file."));
}

}  // namespace
}  // namespace tarn
