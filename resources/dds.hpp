#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/std_file.hpp"
#include "core/wide_path.hpp"

namespace tarn {

// Block-compressed pixel formats of a DDS file.
enum class DdsFormat : std::int32_t { kNone = 0, kDxt1 = 1, kDxt3 = 2, kDxt5 = 3 };

// One mipmap level: its size in pixels and where its blocks lie in the file.
struct DdsLevel {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t size = 0;    // bytes
    std::int32_t offset = 0;  // bytes from the start of the file
};

// A validated DDS file: the bytes it was read from plus the mip chain of each face.
// Levels refer to the file by offset, so the record stays valid when copied or moved.
struct DdsImage {
    static constexpr int kHeaderSize = 128;
    static constexpr int kMaxFaces = 6;

    Bytes file;
    std::int32_t file_size = 0;
    std::array<std::uint8_t, kHeaderSize> header{};
    DdsFormat format = DdsFormat::kNone;
    std::int32_t mip_count = 0;  // levels per face
    std::int32_t width = 0;      // level 0
    std::int32_t height = 0;
    std::int32_t face_count = 0;  // 6 for a cube map, 1 for a 2D texture, 0 when empty
    std::array<std::vector<DdsLevel>, kMaxFaces> faces;  // cube faces +X, -X, +Y, -Y, +Z, -Z

    bool is_cube_map() const { return face_count == kMaxFaces; }
    const std::uint8_t* level_data(const DdsLevel& level) const {
        return file.data() + level.offset;
    }
    void clear();
};

// Bytes of one compressed level: 4x4 blocks of 8 bytes (DXT1) or 16 bytes (DXT3, DXT5).
// Computed in 64 bits so that absurd sizes cannot overflow; 0 for kNone.
std::int64_t dds_level_size(DdsFormat format, std::int64_t width, std::int64_t height);

// Validates a DDS file held in memory and takes it over. Each problem logs one "DDS: " line
// and leaves image empty.
bool parse_dds(Bytes file, DdsImage& image);

// Reads the whole file, then parses it as parse_dds does.
bool read_dds(const WidePath& path, DdsImage& image);

}  // namespace tarn
