#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "render/pixel_format.hpp"
#include "script/engine_object.hpp"

namespace tarn {

// How a texture is sampled.
struct TextureSampling {
    bool clamp = false;    // clamp to the edge instead of repeating
    bool nearest = false;  // nearest instead of linear filtering
    bool mipmaps = false;  // mipmapped minification, 8x anisotropic where available
};

// Level 0 of a 2D texture: width x height pixels of format, rows without padding.
struct TexturePixels {
    std::int32_t width = 0;
    std::int32_t height = 0;
    PixelFormat format = PixelFormat::RGB8;
    const void* data = nullptr;
};

// S3TC block formats.
enum class CompressedFormat { kDxt1, kDxt3, kDxt5 };

// One mipmap level of block-compressed data.
struct CompressedLevel {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t size = 0;  // bytes
    const void* data = nullptr;
};

// The mip chains of a block-compressed texture, face after face (one face for a 2D texture, six
// for a cube map in the order +X, -X, +Y, -Y, +Z, -Z), each chain levels_per_face long.
struct CompressedImage {
    CompressedFormat format = CompressedFormat::kDxt1;
    int levels_per_face = 1;
    std::vector<CompressedLevel> levels;
};

// Storage formats of dynamic (render-target style) textures.
enum class DynamicFormat { kRgb, kRgba, kRgba16f, kLuminance16 };
// The format called name in texture defs ("rgb", "rgba", "rgba16f", "luminance16"); nullopt for
// any other name.
std::optional<DynamicFormat> dynamic_format_named(const char* name);

// A GL texture object as the renderer binds and draws it. The quad batch and the binding caches
// hold these; the texture resource derives from it and hands it decoded pictures to upload.
// Each upload binds the texture for the call only and restores the target's previous binding.
class GpuTexture : public EngineObject {
public:
    enum class Kind { k2d, kCubeMap };

    GpuTexture() = default;
    ~GpuTexture() override { delete_gl_texture(); }

    // 0 when there is no GL texture.
    std::uint32_t gl_name() const { return gl_name_; }
    // GL_TEXTURE_2D or GL_TEXTURE_CUBE_MAP.
    std::uint32_t gl_target() const;
    // The null texture draws nothing: the batch takes no quads on it.
    bool is_null() const { return null_; }
    void set_null(bool null) { null_ = null; }

    // Replaces the GL texture with a new, empty one of kind; false after logging "Unable to
    // generate OpenGL texture name.".
    bool create_gl_texture(Kind kind);
    // The renderer forgets the texture first (drawing the quads queued on it), then the GL
    // texture is deleted.
    void delete_gl_texture();

    // The uploads below refuse sides beyond what the driver takes (without calling GL), and
    // report a refusal by GL itself, so no texture counts memory it does not have.

    // Level 0 of a 2D texture; the bytes uploaded, 0 after logging "Invalid pixel format.", or
    // nullopt when the size is refused.
    std::optional<std::int32_t> upload_pixels(const TexturePixels& pixels,
                                              const TextureSampling& sampling);
    // Every face and level; the mip chain ends at the last level given. The bytes uploaded, or
    // nullopt when the size is refused.
    std::optional<std::int32_t> upload_compressed(const CompressedImage& image,
                                                  const TextureSampling& sampling);
    // Level 0 of a 2D texture without data; the bytes allocated, or nullopt when the size or
    // the memory it implies is refused.
    std::optional<std::int32_t> allocate(DynamicFormat format, std::int32_t width,
                                         std::int32_t height, const TextureSampling& sampling);

private:
    std::uint32_t gl_name_ = 0;
    Kind kind_ = Kind::k2d;
    bool null_ = false;
};

}  // namespace tarn
