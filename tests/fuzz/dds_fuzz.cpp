// DDS files as the texture loader reads them: a parsed file's mip chains must lie inside it.
#include <cstring>

#include "fuzz/fuzz_support.hpp"
#include "resources/dds.hpp"

namespace tarn::fuzz {
namespace {

void check_level(const DdsImage& dds, const DdsLevel& level) {
    require(level.width > 0 && level.height > 0 && level.size > 0, "levels are not empty");
    require(level.offset >= DdsImage::kHeaderSize &&
                std::int64_t{level.offset} + level.size <= std::int64_t{dds.file_size},
            "levels lie inside the file, after the header");
    // Reading the whole level catches a record that points past the buffer.
    volatile std::uint8_t sum = 0;
    const std::uint8_t* bytes = dds.level_data(level);
    for (std::int32_t i = 0; i < level.size; ++i)
        sum = sum + bytes[i];
}

void check_parsed(const DdsImage& dds) {
    require(dds.face_count == 1 || dds.face_count == DdsImage::kMaxFaces,
            "a texture has one face or a full cube map");
    require(dds.file_size == static_cast<std::int32_t>(dds.file.size()),
            "the recorded size is the file's");
    require(std::memcmp(dds.header.data(), dds.file.data(), DdsImage::kHeaderSize) == 0,
            "the header is the file's first bytes");
    require(dds.mip_count >= 1, "a texture has a level 0");
    for (int face = 0; face < DdsImage::kMaxFaces; ++face) {
        const auto& levels = dds.faces[face];
        if (face >= dds.face_count) {
            require(levels.empty(), "missing faces have no levels");
            continue;
        }
        require(static_cast<std::int32_t>(levels.size()) == dds.mip_count,
                "every face has every level");
        require(levels[0].width == dds.width && levels[0].height == dds.height,
                "level 0 has the texture's size");
        for (const DdsLevel& level : levels)
            check_level(dds, level);
    }
}

}  // namespace
}  // namespace tarn::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tarn::fuzz::set_up_engine_log();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarn;
    DdsImage dds;
    if (parse_dds(Bytes(data, data + size), dds))
        fuzz::check_parsed(dds);
    else
        fuzz::require(dds.face_count == 0 && dds.file.empty() && dds.faces[0].empty(),
                      "a refused file leaves the record empty");
    return 0;
}
