#include "resources/dds.hpp"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

#include "core/log.hpp"

namespace tarn {

namespace {

// Header flags.
constexpr std::uint32_t kFlagCaps = 0x1;
constexpr std::uint32_t kFlagHeight = 0x2;
constexpr std::uint32_t kFlagWidth = 0x4;
constexpr std::uint32_t kFlagPixelFormat = 0x1000;
constexpr std::uint32_t kFlagMipmapCount = 0x20000;
constexpr std::uint32_t kFlagLinearSize = 0x80000;
constexpr std::uint32_t kRequiredFlags = kFlagCaps | kFlagHeight | kFlagWidth | kFlagPixelFormat;
// Pixel-format flags.
constexpr std::uint32_t kPixelFourCc = 0x4;
// Caps and caps 2.
constexpr std::uint32_t kCapsComplex = 0x8;
constexpr std::uint32_t kCapsTexture = 0x1000;
constexpr std::uint32_t kCapsMipmap = 0x400000;
constexpr std::uint32_t kCubeMapAllFaces = 0xFE00;

// The header fields the reader looks at.
struct DdsHeader {
    std::uint32_t header_size = 0;
    std::uint32_t flags = 0;
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::uint32_t linear_size = 0;
    std::uint32_t mip_count = 0;
    std::uint32_t pixel_format_size = 0;
    std::uint32_t pixel_format_flags = 0;
    std::uint32_t four_cc = 0;
    std::uint32_t caps = 0;
    std::uint32_t caps2 = 0;
};

std::uint32_t read_u32(const Bytes& bytes, std::size_t offset) {
    return std::uint32_t(bytes[offset]) | std::uint32_t(bytes[offset + 1]) << 8 |
           std::uint32_t(bytes[offset + 2]) << 16 | std::uint32_t(bytes[offset + 3]) << 24;
}

constexpr std::uint32_t four_cc(const char (&code)[5]) {
    return std::uint32_t(std::uint8_t(code[0])) | std::uint32_t(std::uint8_t(code[1])) << 8 |
           std::uint32_t(std::uint8_t(code[2])) << 16 | std::uint32_t(std::uint8_t(code[3])) << 24;
}

DdsHeader read_header(const Bytes& file) {
    DdsHeader header;
    header.header_size = read_u32(file, 4);
    header.flags = read_u32(file, 8);
    header.height = static_cast<std::int32_t>(read_u32(file, 12));
    header.width = static_cast<std::int32_t>(read_u32(file, 16));
    header.linear_size = read_u32(file, 20);
    header.mip_count = read_u32(file, 28);
    header.pixel_format_size = read_u32(file, 76);
    header.pixel_format_flags = read_u32(file, 80);
    header.four_cc = read_u32(file, 84);
    header.caps = read_u32(file, 108);
    header.caps2 = read_u32(file, 112);
    return header;
}

// Each check returns the message of the first problem it finds, or nullptr.

const char* check_basic_header(const DdsHeader& header) {
    const bool valid = header.header_size == 124 && header.pixel_format_size == 32 &&
                       (header.flags & kRequiredFlags) == kRequiredFlags && header.height > 0 &&
                       header.width > 0 && (header.caps & kCapsTexture) != 0;
    return valid ? nullptr : "DDS: Invalid header.";
}

const char* check_cube_map(const DdsHeader& header) {
    const std::uint32_t cube = header.caps2 & kCubeMapAllFaces;
    if (cube != 0 && (header.caps & kCapsComplex) == 0)
        return "DDS: Contains cubemap but not marked as complex surface.";
    if (cube != 0 && cube != kCubeMapAllFaces)
        return "DDS: Partial cubemaps are not supported, all six faces must be defined.";
    return nullptr;
}

const char* check_mipmaps(const DdsHeader& header) {
    if ((header.flags & kFlagMipmapCount) != 0) {
        if (header.mip_count == 0)
            return "DDS: Invalid mipmap count.";
        if ((header.caps & kCapsComplex) == 0)
            return "DDS: Mipmapped surface is not marked as complex surface.";
        if ((header.caps & kCapsMipmap) == 0)
            return "DDS: Surface with mipmaps is not marked as mipmapped surface.";
        return nullptr;
    }
    if (header.mip_count != 0)
        return "DDS: Invalid mipmap count for surface without mipmaps.";
    if ((header.caps & kCapsMipmap) != 0)
        return "DDS: Surface without mipmaps is marked as mipmapped surface.";
    return nullptr;
}

DdsFormat format_of(std::uint32_t code) {
    if (code == four_cc("DXT1"))
        return DdsFormat::kDxt1;
    if (code == four_cc("DXT3"))
        return DdsFormat::kDxt3;
    if (code == four_cc("DXT5"))
        return DdsFormat::kDxt5;
    return DdsFormat::kNone;
}

const char* check_format(const DdsHeader& header) {
    if ((header.pixel_format_flags & kPixelFourCc) == 0)
        return "DDS: Unsupported DDS format. Only compressed formats for now.";
    if (format_of(header.four_cc) == DdsFormat::kNone)
        return "DDS: Unsupported DDS compressed format. Only DXT1, DXT3 and DXT5 are supported.";
    if ((header.flags & kFlagLinearSize) != 0 &&
        dds_level_size(format_of(header.four_cc), header.width, header.height) !=
            std::int64_t(header.linear_size))
        return "DDS: Invalid zero level mipmap size.";
    return nullptr;
}

const char* check_header(const Bytes& file, const DdsHeader& header) {
    if (file.size() < std::size_t(DdsImage::kHeaderSize))
        return "DDS: File size is too small.";
    if (std::memcmp(file.data(), "DDS ", 4) != 0)
        return "DDS: Invalid magic in header.";
    for (auto check : {check_basic_header, check_cube_map, check_mipmaps, check_format}) {
        if (const char* problem = check(header))
            return problem;
    }
    return nullptr;
}

// Walks one face's chain from offset, appending its levels; offset ends after the face.
// Offsets stay in 64 bits and are compared before use, so no size can read past the file.
const char* walk_face(DdsImage& image, std::uint32_t mip_count, std::int64_t file_limit,
                      std::int64_t& offset, std::vector<DdsLevel>& levels) {
    std::int64_t width = image.width;
    std::int64_t height = image.height;
    for (std::uint32_t level = 0; level < mip_count; ++level) {
        const std::int64_t size = dds_level_size(image.format, width, height);
        if (offset + size > file_limit)
            return "DDS: Invalid file size, mipmaps out of the file.";
        levels.push_back(
            {std::int32_t(width), std::int32_t(height), std::int32_t(size), std::int32_t(offset)});
        if (width == 1 && height == 1 && level + 1 < mip_count)
            return "DDS: Contains two or more 1x1 mipmaps.";
        width = std::max<std::int64_t>(1, width / 2);
        height = std::max<std::int64_t>(1, height / 2);
        offset += size;
    }
    return nullptr;
}

const char* walk_chains(DdsImage& image, std::uint32_t mip_count) {
    // Level records are 32-bit; a buffer beyond that range has no reachable data there.
    const std::int64_t file_limit = std::min<std::int64_t>(
        std::int64_t(image.file.size()), std::numeric_limits<std::int32_t>::max());
    std::int64_t offset = DdsImage::kHeaderSize;
    for (int face = 0; face < image.face_count; ++face) {
        if (const char* problem =
                walk_face(image, mip_count, file_limit, offset, image.faces[face]))
            return problem;
    }
    return nullptr;
}

void fill_record(DdsImage& image, const DdsHeader& header) {
    std::copy_n(image.file.begin(), DdsImage::kHeaderSize, image.header.begin());
    image.file_size = static_cast<std::int32_t>(
        std::min<std::size_t>(image.file.size(), std::numeric_limits<std::int32_t>::max()));
    image.format = format_of(header.four_cc);
    image.width = header.width;
    image.height = header.height;
    image.face_count = (header.caps2 & kCubeMapAllFaces) != 0 ? DdsImage::kMaxFaces : 1;
}

}  // namespace

void DdsImage::clear() {
    *this = DdsImage();
}

std::int64_t dds_level_size(DdsFormat format, std::int64_t width, std::int64_t height) {
    const std::int64_t block_bytes = format == DdsFormat::kDxt1   ? 8
                                     : format == DdsFormat::kNone ? 0
                                                                  : 16;
    return ((width + 3) / 4) * ((height + 3) / 4) * block_bytes;
}

bool parse_dds(Bytes file, DdsImage& image) {
    image.clear();
    const DdsHeader header =
        file.size() >= std::size_t(DdsImage::kHeaderSize) ? read_header(file) : DdsHeader();
    const char* problem = check_header(file, header);
    if (problem == nullptr) {
        image.file = std::move(file);
        fill_record(image, header);
        problem = walk_chains(image, header.mip_count == 0 ? 1 : header.mip_count);
    }
    if (problem != nullptr) {
        log_message(problem);
        image.clear();
        return false;
    }
    image.mip_count = static_cast<std::int32_t>(image.faces[0].size());
    return true;
}

bool read_dds(const WidePath& path, DdsImage& image) {
    image.clear();
    Bytes file;
    if (!read_file(path, file))
        return false;
    return parse_dds(std::move(file), image);
}

}  // namespace tarn
