#pragma once

#include <GL/glew.h>

#include <cstdint>
#include <optional>

#include "core/shared_string.hpp"
#include "resources/dds.hpp"
#include "resources/image.hpp"

namespace tarn {

// GL pixel transfer of one image format.
struct GlPixelFormat {
    GLenum format;
    GLenum type;
    int bytes_per_pixel;
};
std::optional<GlPixelFormat> gl_pixel_format(PixelFormat format);

// Storage of a dynamic texture format ("rgb", "rgba", "rgba16f", "luminance16").
struct GlDynamicFormat {
    GLint internal_format;
    GLenum source_format;
    int bytes_per_pixel;
};
std::optional<GlDynamicFormat> gl_dynamic_format(const SharedString& name);

// The S3TC format of DXT1/3/5; nullopt for anything else.
std::optional<GLenum> gl_compressed_format(DdsFormat format);

// A new GL texture name; 0 after logging "Unable to generate OpenGL texture name.".
GLuint generate_texture_name();

// Binds a texture to target for the upload and restores the previous binding afterwards.
class ScopedTextureBinding {
public:
    ScopedTextureBinding(GLenum target, GLuint name);
    ~ScopedTextureBinding();
    ScopedTextureBinding(const ScopedTextureBinding&) = delete;
    ScopedTextureBinding& operator=(const ScopedTextureBinding&) = delete;

private:
    GLenum target_;
    GLint previous_ = 0;
};

// Wrap, filters and anisotropy of the bound texture from its flags (TextureFlag bits).
void set_texture_parameters(GLenum target, std::uint32_t flags, const SharedString& def_name);

// Uploads level 0 of the bound 2D texture; returns the bytes uploaded (0 after logging
// "Invalid pixel format.").
std::int32_t upload_image(const Image& image);

// Uploads every face and level of the bound texture; returns the bytes uploaded.
std::int32_t upload_dds(GLenum target, GLenum gl_format, const DdsImage& dds);

// Allocates level 0 of the bound 2D texture without data; returns the bytes allocated.
std::int32_t allocate_dynamic(const GlDynamicFormat& format, std::int32_t width,
                              std::int32_t height);

}  // namespace tarn
