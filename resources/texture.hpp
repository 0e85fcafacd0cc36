#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "render/gpu_texture.hpp"

namespace tarn {

// Bits of Texture::flags().
enum TextureFlag : std::uint32_t {
    kTextureMipmaps = 0x1,
    kTextureClampUV = 0x2,
    kTexturePremultiplied = 0x4,
    kTextureMaskColor = 0x8,
    kTextureExtractFrames = 0x10,
    kTextureDynamic = 0x20,
    kTextureNull = 0x40,  // the "_null_" texture: sprites on it draw nothing
    kTextureCubeMap = 0x100,
    kTextureNearest = 0x1000,
};

// One frame cut from a texture: the pixel rectangle, the matching texture coordinates, the pivot
// and the colour (RGBA, 0..1) of the sprite made from it.
struct TextureFrame {
    float x = 0, y = 0, w = 0, h = 0;
    float u0 = 0, v0 = 0, u1 = 0, v1 = 0;
    float pivot_x = 0, pivot_y = 0;
    std::array<float, 4> color = {1.0f, 1.0f, 1.0f, 1.0f};
};

// A texture made from a def of "g_texture_defs": an image file (PNG, JPEG, DDS), a built-in
// ("_white_", "_null_") or an empty dynamic texture. Decodes the picture and hands it to its GPU
// texture. Every live texture is in the registry's texture list.
class Texture : public GpuTexture {
public:
    static ClassDescriptor class_descriptor;

    Texture();
    ~Texture() override;
    const ClassDescriptor& descriptor() const override { return class_descriptor; }

    // Loads from the def; on failure logs why and "Unable to load texture '...'.".
    bool load() override;
    // Drops the GL texture (and frames) and returns to NotLoaded, so that the next load
    // rebuilds it; used when the GL context is replaced.
    void forget();

    std::uint32_t flags() const { return flags_; }
    // Size of the GL texture.
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    // Size of the picture itself, before power-of-two padding.
    std::int32_t image_width() const { return image_width_; }
    std::int32_t image_height() const { return image_height_; }
    // Texture coordinates per pixel.
    float inv_width() const { return inv_width_; }
    float inv_height() const { return inv_height_; }
    // Bytes uploaded for this texture.
    std::int32_t memory_bytes() const { return memory_bytes_; }
    // Frames cut from the picture (frame_size, grid_size, extract_frames).
    const std::vector<TextureFrame>& frames() const { return frames_; }

    Texture* prev() const { return prev_; }
    Texture* next() const { return next_; }

private:
    friend class TextureLoader;

    void link();
    void unlink();
    // Flags decide whether the texture is the null one.
    void set_flags(std::uint32_t flags);

    Texture* prev_ = nullptr;
    Texture* next_ = nullptr;
    std::int32_t image_width_ = 0;
    std::int32_t image_height_ = 0;
    std::uint32_t flags_ = 0;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    float inv_width_ = 1.0f;
    float inv_height_ = 1.0f;
    std::int32_t memory_bytes_ = 0;
    std::vector<TextureFrame> frames_;
};

// The first texture of the registry's list (iterate with next()).
Texture* first_texture();
// Drops every texture's GL data before the GL context goes away.
void forget_textures();
// Loads every texture that is still NotLoaded (after a new GL context exists).
void load_pending_textures();

}  // namespace tarn
