#include "resources/dds.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "support/log_capture.hpp"
#include "support/temp_dir.hpp"
#include "unit/resources/image_test_files.hpp"

namespace tarn {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using Header = test::DdsHeader;
using test::encode_dds;
using test::put_u32;

std::vector<std::int32_t> sizes_of(const std::vector<DdsLevel>& levels) {
    std::vector<std::int32_t> sizes;
    for (const DdsLevel& level : levels)
        sizes.push_back(level.size);
    return sizes;
}

std::vector<std::string> dimensions_of(const std::vector<DdsLevel>& levels) {
    std::vector<std::string> result;
    for (const DdsLevel& level : levels)
        result.push_back(std::to_string(level.width) + "x" + std::to_string(level.height));
    return result;
}

void expect_empty(const DdsImage& image) {
    EXPECT_THAT(image.file, IsEmpty());
    EXPECT_EQ(image.file_size, 0);
    EXPECT_EQ(image.format, DdsFormat::kNone);
    EXPECT_EQ(image.mip_count, 0);
    EXPECT_EQ(image.width, 0);
    EXPECT_EQ(image.height, 0);
    EXPECT_EQ(image.face_count, 0);
    for (const auto& face : image.faces)
        EXPECT_THAT(face, IsEmpty());
}

// Every level of an accepted image lies inside the file and directly follows the one before.
void expect_contiguous_chain(const DdsImage& image) {
    std::int64_t offset = 128;
    for (int face = 0; face < image.face_count; ++face) {
        ASSERT_EQ(image.faces[face].size(), std::size_t(image.mip_count));
        for (const DdsLevel& level : image.faces[face]) {
            EXPECT_EQ(level.offset, offset);
            offset += level.size;
        }
    }
    EXPECT_LE(offset, image.file_size);
}

class DdsTest : public ::testing::Test {
protected:
    bool parse(const Bytes& file) { return parse_dds(file, image_); }

    DdsImage image_;
    test::LogCapture log_;
};

struct Refusal {
    const char* case_name;
    std::function<void(Header&)> change;
    std::size_t data_size;
    const char* message;
};

TEST_F(DdsTest, EveryRefusalLogsItsMessageAndLeavesTheRecordEmpty) {
    const std::vector<Refusal> refusals = {
        {"bad magic", [](Header& h) { h.magic = "DDX "; }, 8, "DDS: Invalid magic in header."},
        {"header size", [](Header& h) { h.header_size = 128; }, 8, "DDS: Invalid header."},
        {"pixel format size", [](Header& h) { h.pixel_format_size = 24; }, 8,
         "DDS: Invalid header."},
        {"no caps flag", [](Header& h) { h.flags &= ~0x1u; }, 8, "DDS: Invalid header."},
        {"no height flag", [](Header& h) { h.flags &= ~0x2u; }, 8, "DDS: Invalid header."},
        {"no width flag", [](Header& h) { h.flags &= ~0x4u; }, 8, "DDS: Invalid header."},
        {"no pixel format flag", [](Header& h) { h.flags &= ~0x1000u; }, 8, "DDS: Invalid header."},
        {"zero height", [](Header& h) { h.height = 0; }, 8, "DDS: Invalid header."},
        {"zero width", [](Header& h) { h.width = 0; }, 8, "DDS: Invalid header."},
        {"negative width", [](Header& h) { h.width = 0x80000000u; }, 8, "DDS: Invalid header."},
        {"no texture caps", [](Header& h) { h.caps = 0; }, 8, "DDS: Invalid header."},
        {"cube not complex", [](Header& h) { h.caps2 = 0xFE00; }, 48,
         "DDS: Contains cubemap but not marked as complex surface."},
        {"five faces",
         [](Header& h) {
             h.cube_map();
             h.caps2 = 0xFE00 & ~0x8000u;
         },
         48, "DDS: Partial cubemaps are not supported, all six faces must be defined."},
        {"zero mip count", [](Header& h) { h.mipmapped(0); }, 8, "DDS: Invalid mipmap count."},
        {"mipmaps not complex",
         [](Header& h) {
             h.mipmapped(3);
             h.caps &= ~0x8u;
         },
         24, "DDS: Mipmapped surface is not marked as complex surface."},
        {"mipmaps without mipmap caps",
         [](Header& h) {
             h.mipmapped(3);
             h.caps &= ~0x400000u;
         },
         24, "DDS: Surface with mipmaps is not marked as mipmapped surface."},
        {"count without flag", [](Header& h) { h.mip_count = 1; }, 8,
         "DDS: Invalid mipmap count for surface without mipmaps."},
        {"mipmap caps without flag", [](Header& h) { h.caps |= 0x400000; }, 8,
         "DDS: Surface without mipmaps is marked as mipmapped surface."},
        {"rgb", [](Header& h) { h.pixel_format_flags = 0x40; }, 48,
         "DDS: Unsupported DDS format. Only compressed formats for now."},
        {"dxt2", [](Header& h) { h.four_cc = "DXT2"; }, 16,
         "DDS: Unsupported DDS compressed format. Only DXT1, DXT3 and DXT5 are supported."},
        {"wrong linear size",
         [](Header& h) {
             h.flags |= 0x80000;
             h.linear_size = 16;
         },
         16, "DDS: Invalid zero level mipmap size."},
        {"data missing", [](Header&) {}, 7, "DDS: Invalid file size, mipmaps out of the file."},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.case_name);
        test::LogCapture log;
        Header header;
        refusal.change(header);
        ASSERT_TRUE(parse(encode_dds(Header(), 8))) << "a valid file first, to see it cleared";
        EXPECT_FALSE(parse(encode_dds(header, refusal.data_size)));
        EXPECT_THAT(log.lines(), ElementsAre(refusal.message));
        expect_empty(image_);
    }
}

TEST_F(DdsTest, ChecksRunInOrderSoTheFirstProblemIsReported) {
    Header header;
    header.magic = "XXXX";
    header.header_size = 0;
    EXPECT_FALSE(parse(Bytes(127, 0)));
    EXPECT_FALSE(parse(encode_dds(header, 8)));
    header.magic = "DDS ";
    header.caps2 = 0x200;  // partial cube without the complex bit: complex is checked first
    EXPECT_FALSE(parse(encode_dds(header, 8)));
    header.header_size = 124;
    EXPECT_FALSE(parse(encode_dds(header, 8)));
    header.caps2 = 0;
    header.pixel_format_flags = 0;
    header.four_cc = "RGBA";
    header.mip_count = 2;  // the mipmap count is judged before the format
    EXPECT_FALSE(parse(encode_dds(header, 8)));
    header.mip_count = 0;
    EXPECT_FALSE(parse(encode_dds(header, 8)));
    EXPECT_THAT(log_.lines(),
                ElementsAre("DDS: File size is too small.", "DDS: Invalid magic in header.",
                            "DDS: Invalid header.",
                            "DDS: Contains cubemap but not marked as complex surface.",
                            "DDS: Invalid mipmap count for surface without mipmaps.",
                            "DDS: Unsupported DDS format. Only compressed formats for now."));
}

TEST_F(DdsTest, FullDxt1ChainOf256Needs43704DataBytes) {
    Header header;
    header.width = header.height = 256;
    header.mipmapped(9);
    ASSERT_TRUE(parse(encode_dds(header, 43704)));
    EXPECT_THAT(log_.lines(), IsEmpty());
    EXPECT_EQ(image_.format, DdsFormat::kDxt1);
    EXPECT_EQ(image_.width, 256);
    EXPECT_EQ(image_.height, 256);
    EXPECT_EQ(image_.mip_count, 9);
    EXPECT_EQ(image_.face_count, 1);
    EXPECT_FALSE(image_.is_cube_map());
    EXPECT_EQ(image_.file_size, 128 + 43704);
    EXPECT_THAT(sizes_of(image_.faces[0]), ElementsAre(32768, 8192, 2048, 512, 128, 32, 8, 8, 8));
    EXPECT_THAT(dimensions_of(image_.faces[0]), ElementsAre("256x256", "128x128", "64x64", "32x32",
                                                            "16x16", "8x8", "4x4", "2x2", "1x1"));
    expect_contiguous_chain(image_);
    for (int face = 1; face < 6; ++face)
        EXPECT_THAT(image_.faces[face], IsEmpty());

    // Level data points at the file bytes: data byte i holds i + 1 (mod 256).
    const DdsLevel& second = image_.faces[0][1];
    EXPECT_EQ(image_.level_data(second)[0], std::uint8_t(32768 + 1));
    EXPECT_EQ(image_.level_data(image_.faces[0][8])[7], std::uint8_t(43704));

    ASSERT_FALSE(parse(encode_dds(header, 43703)));
    EXPECT_THAT(log_.lines(), ElementsAre("DDS: Invalid file size, mipmaps out of the file."));
    expect_empty(image_);
}

TEST_F(DdsTest, KeepsTheHeaderAndStaysValidWhenCopied) {
    Header header;
    header.width = 8;
    header.height = 4;
    header.four_cc = "DXT3";
    header.flags |= 0x80000;
    header.linear_size = 32;  // two 16-byte blocks
    const Bytes file = encode_dds(header, 40);
    ASSERT_TRUE(parse(file));
    EXPECT_TRUE(std::equal(image_.header.begin(), image_.header.end(), file.begin()));
    EXPECT_EQ(image_.file, file) << "trailing bytes stay in the buffer";
    EXPECT_EQ(image_.file_size, 168);
    EXPECT_EQ(image_.format, DdsFormat::kDxt3);
    EXPECT_EQ(image_.mip_count, 1);

    const DdsImage copy = image_;
    image_.clear();
    ASSERT_EQ(copy.faces[0].size(), 1u);
    EXPECT_EQ(copy.level_data(copy.faces[0][0]), copy.file.data() + 128);
    EXPECT_EQ(copy.level_data(copy.faces[0][0])[31], 32);
}

TEST_F(DdsTest, LevelSizesFollowTheBlockFormula) {
    EXPECT_EQ(dds_level_size(DdsFormat::kDxt5, 4, 4), 16);
    EXPECT_EQ(dds_level_size(DdsFormat::kDxt1, 1, 1), 8);
    EXPECT_EQ(dds_level_size(DdsFormat::kDxt3, 5, 1), 32);
    EXPECT_EQ(dds_level_size(DdsFormat::kDxt1, 9, 13), 3 * 4 * 8);
    EXPECT_EQ(dds_level_size(DdsFormat::kNone, 64, 64), 0);
    EXPECT_EQ(dds_level_size(DdsFormat::kDxt5, 0x7FFFFFFF, 0x7FFFFFFF),
              std::int64_t(0x20000000) * 0x20000000 * 16);

    Header header;
    header.four_cc = "DXT5";
    header.width = 1;
    header.height = 1;
    EXPECT_TRUE(parse(encode_dds(header, 16)));
    EXPECT_EQ(image_.format, DdsFormat::kDxt5);
    EXPECT_FALSE(parse(encode_dds(header, 15)));
}

TEST_F(DdsTest, OneByOneEndsTheChain) {
    Header header;
    header.width = 256;
    header.height = 128;
    header.mipmapped(9);
    const std::size_t chain = 16384 + 4096 + 1024 + 256 + 64 + 16 + 8 + 8 + 8;
    ASSERT_TRUE(parse(encode_dds(header, chain)));
    EXPECT_THAT(dimensions_of(image_.faces[0]), ElementsAre("256x128", "128x64", "64x32", "32x16",
                                                            "16x8", "8x4", "4x2", "2x1", "1x1"));
    expect_contiguous_chain(image_);

    header.mipmapped(10);
    EXPECT_FALSE(parse(encode_dds(header, chain + 8)));
    EXPECT_THAT(log_.lines(), ElementsAre("DDS: Contains two or more 1x1 mipmaps."));
    expect_empty(image_);
}

TEST_F(DdsTest, CubeMapHasSixFacesEachWithItsWholeChain) {
    Header header;
    header.width = header.height = 8;
    header.four_cc = "DXT5";
    header.mipmapped(4).cube_map();
    const int chain = 64 + 16 + 16 + 16;
    ASSERT_TRUE(parse(encode_dds(header, 6 * chain)));
    EXPECT_TRUE(image_.is_cube_map());
    EXPECT_EQ(image_.face_count, 6);
    EXPECT_EQ(image_.mip_count, 4);
    for (int face = 0; face < 6; ++face) {
        SCOPED_TRACE(face);
        EXPECT_THAT(sizes_of(image_.faces[face]), ElementsAre(64, 16, 16, 16));
        EXPECT_THAT(dimensions_of(image_.faces[face]), ElementsAre("8x8", "4x4", "2x2", "1x1"));
        EXPECT_EQ(image_.faces[face][0].offset, 128 + face * chain);
    }
    expect_contiguous_chain(image_);

    EXPECT_FALSE(parse(encode_dds(header, 6 * chain - 1))) << "the last face's last level is short";
    EXPECT_THAT(log_.lines(), ElementsAre("DDS: Invalid file size, mipmaps out of the file."));
    expect_empty(image_);
}

TEST_F(DdsTest, CubeMapWithoutMipmapsHasOneLevelPerFace) {
    Header header;
    header.cube_map();
    ASSERT_TRUE(parse(encode_dds(header, 48)));
    EXPECT_EQ(image_.mip_count, 1);
    for (int face = 0; face < 6; ++face)
        EXPECT_THAT(sizes_of(image_.faces[face]), ElementsAre(8));
    expect_contiguous_chain(image_);
}

TEST_F(DdsTest, AbsurdSizesAreRefusedWithoutOverflow) {
    Header huge;
    huge.width = huge.height = 0x7FFFFFFF;
    huge.mipmapped(0xFFFFFFFF).cube_map();
    EXPECT_FALSE(parse(encode_dds(huge, 64)));

    // 65536 x 65536 DXT3 is exactly 2^32 bytes: a 32-bit size would wrap to 0 and match.
    Header wrapped;
    wrapped.width = wrapped.height = 65536;
    wrapped.four_cc = "DXT3";
    wrapped.flags |= 0x80000;
    wrapped.linear_size = 0;
    EXPECT_FALSE(parse(encode_dds(wrapped, 64)));
    wrapped.flags &= ~0x80000u;
    EXPECT_FALSE(parse(encode_dds(wrapped, 64)));

    // A count beyond the int32 range must not turn into "no levels" and be accepted.
    Header many;
    many.mipmapped(0x80000000u);
    EXPECT_FALSE(parse(encode_dds(many, 24)));
    many.mipmapped(0xFFFFFFFFu);
    EXPECT_FALSE(parse(encode_dds(many, 1 << 16)));

    // 0x7FFFFFFF x 1 DXT1 is 2^32 bytes: a 32-bit size would wrap to 0 and fit in any file.
    Header wide;
    wide.width = 0x7FFFFFFF;
    wide.height = 1;
    EXPECT_FALSE(parse(encode_dds(wide, 64)));

    EXPECT_THAT(log_.lines(), ElementsAre("DDS: Invalid file size, mipmaps out of the file.",
                                          "DDS: Invalid zero level mipmap size.",
                                          "DDS: Invalid file size, mipmaps out of the file.",
                                          "DDS: Contains two or more 1x1 mipmaps.",
                                          "DDS: Contains two or more 1x1 mipmaps.",
                                          "DDS: Invalid file size, mipmaps out of the file."));
    expect_empty(image_);
}

TEST_F(DdsTest, CorruptedHeadersNeverPointOutsideTheFile) {
    Header base;
    base.width = base.height = 16;
    base.mipmapped(5).cube_map();
    const Bytes valid = encode_dds(base, 6 * (128 + 32 + 8 + 8 + 8));
    std::mt19937 random(1234);
    const std::vector<std::size_t> fields = {8, 12, 16, 20, 28, 80, 84, 108, 112};
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        Bytes file = valid;
        put_u32(file, fields[random() % fields.size()], std::uint32_t(random()));
        if (round % 3 == 0)
            put_u32(file, fields[random() % fields.size()], 1u << (random() % 32));
        if (round % 2 == 1)
            file.resize(128 + random() % (file.size() - 127));
        if (!parse(file))
            continue;
        ++accepted;
        for (int face = 0; face < image_.face_count; ++face) {
            for (const DdsLevel& level : image_.faces[face]) {
                ASSERT_GE(level.offset, 128);
                ASSERT_GT(level.size, 0);
                ASSERT_LE(std::int64_t(level.offset) + level.size, std::int64_t(file.size()));
            }
        }
        expect_contiguous_chain(image_);
    }
    EXPECT_GT(accepted, 0) << "some mutations keep the file valid";
}

TEST_F(DdsTest, ReadsTheWholeFileFromDisk) {
    test::TempDir dir;
    Header header;
    header.mipmapped(3);
    const Bytes bytes = encode_dds(header, 24);
    test::write_file(dir / "ok.dds", std::string(bytes.begin(), bytes.end()));
    ASSERT_TRUE(read_dds(WidePath((dir / "ok.dds").c_str()), image_));
    EXPECT_EQ(image_.file, bytes);
    EXPECT_EQ(image_.mip_count, 3);

    EXPECT_FALSE(read_dds(WidePath((dir / "missing.dds").c_str()), image_));
    expect_empty(image_);
    const auto lines = log_.lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().rfind("Can't read file '", 0), 0u) << lines.back();
}

}  // namespace
}  // namespace tarn
