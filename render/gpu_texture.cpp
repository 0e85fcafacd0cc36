#include "render/gpu_texture.hpp"

#include <GL/glew.h>

#include <cstring>

#include "core/log.hpp"
#include "render/renderer.hpp"

namespace tarn {

namespace {

// GL pixel transfer of one pixel format.
struct GlPixelFormat {
    GLenum format;
    GLenum type;
    int bytes_per_pixel;
};

std::optional<GlPixelFormat> gl_pixel_format(PixelFormat format) {
    switch (format) {
        case PixelFormat::RGB8:
            return GlPixelFormat{GL_RGB, GL_UNSIGNED_BYTE, 3};
        case PixelFormat::RGBA8:
            return GlPixelFormat{GL_RGBA, GL_UNSIGNED_BYTE, 4};
        case PixelFormat::RGB565:
            return GlPixelFormat{GL_RGB, GL_UNSIGNED_SHORT_5_6_5, 2};
        case PixelFormat::RGBA4444:
            return GlPixelFormat{GL_RGBA, GL_UNSIGNED_SHORT_4_4_4_4, 2};
        case PixelFormat::RGBA5551:
            return GlPixelFormat{GL_RGBA, GL_UNSIGNED_SHORT_5_5_5_1, 2};
    }
    return std::nullopt;
}

// Storage of a dynamic texture format, in DynamicFormat order.
struct GlDynamicFormat {
    const char* name;
    GLint internal_format;
    GLenum source_format;
    int bytes_per_pixel;
};
constexpr GlDynamicFormat kDynamicFormats[] = {
    {"rgb", GL_RGB, GL_RGB, 3},
    {"rgba", GL_RGBA, GL_RGBA, 4},
    {"rgba16f", GL_RGBA16F_ARB, GL_RGBA, 8},
    {"luminance16", GL_LUMINANCE16F_ARB, GL_LUMINANCE, 2},
};

// S3TC formats in CompressedFormat order.
constexpr GLenum kCompressedFormats[] = {GL_COMPRESSED_RGBA_S3TC_DXT1_EXT,
                                         GL_COMPRESSED_RGBA_S3TC_DXT3_EXT,
                                         GL_COMPRESSED_RGBA_S3TC_DXT5_EXT};

std::int32_t saturated_bytes(std::int64_t bytes) {
    return bytes > 0x7fffffff ? 0x7fffffff : static_cast<std::int32_t>(bytes);
}

void drain_gl_errors() {
    for (int i = 0; i < 32 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

// Whether the driver takes a texture of this kind and size: each side within its limit, and
// the bytes within what the engine's 32-bit memory accounting can count. Oversized requests
// never reach GL, where some drivers fail badly on them.
bool size_accepted(GLenum target, std::int32_t width, std::int32_t height, int bytes_per_pixel) {
    GLint max_side = 0;
    glGetIntegerv(
        target == GL_TEXTURE_CUBE_MAP ? GL_MAX_CUBE_MAP_TEXTURE_SIZE : GL_MAX_TEXTURE_SIZE,
        &max_side);
    if (width <= 0 || height <= 0 || width > max_side || height > max_side)
        return false;
    return std::int64_t{width} * height * bytes_per_pixel <= 0x7fffffff;
}

// Ends an upload: false when GL refused any call since the errors were drained.
bool upload_succeeded() {
    bool ok = true;
    for (int i = 0; i < 32 && glGetError() != GL_NO_ERROR; ++i)
        ok = false;
    return ok;
}

// Binds a texture for an upload and restores the target's previous binding afterwards, so that
// the renderer's binding cache stays true.
class ScopedBinding {
public:
    ScopedBinding(GLenum target, GLuint name) : target_(target) {
        glGetIntegerv(
            target == GL_TEXTURE_CUBE_MAP ? GL_TEXTURE_BINDING_CUBE_MAP : GL_TEXTURE_BINDING_2D,
            &previous_);
        glBindTexture(target, name);
    }
    ~ScopedBinding() { glBindTexture(target_, static_cast<GLuint>(previous_)); }
    ScopedBinding(const ScopedBinding&) = delete;
    ScopedBinding& operator=(const ScopedBinding&) = delete;

private:
    GLenum target_;
    GLint previous_ = 0;
};

// Wrap, filters and anisotropy of the bound texture.
void apply_sampling(GLenum target, const TextureSampling& sampling) {
    const GLint wrap = sampling.clamp ? GL_CLAMP_TO_EDGE : GL_REPEAT;
    glTexParameteri(target, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(target, GL_TEXTURE_WRAP_T, wrap);
    glTexParameteri(target, GL_TEXTURE_WRAP_R, wrap);
    const GLint mag = sampling.nearest ? GL_NEAREST : GL_LINEAR;
    GLint min = mag;
    if (sampling.mipmaps)
        min = sampling.nearest ? GL_NEAREST_MIPMAP_NEAREST : GL_LINEAR_MIPMAP_LINEAR;
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, mag);
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, min);
    if (sampling.mipmaps && GLEW_EXT_texture_filter_anisotropic)
        glTexParameterf(target, GL_TEXTURE_MAX_ANISOTROPY_EXT, 8.0f);
}

}  // namespace

std::optional<DynamicFormat> dynamic_format_named(const char* name) {
    for (std::size_t i = 0; i < std::size(kDynamicFormats); ++i) {
        if (std::strcmp(name, kDynamicFormats[i].name) == 0)
            return static_cast<DynamicFormat>(i);
    }
    return std::nullopt;
}

std::uint32_t GpuTexture::gl_target() const {
    return kind_ == Kind::kCubeMap ? GL_TEXTURE_CUBE_MAP : GL_TEXTURE_2D;
}

bool GpuTexture::create_gl_texture(Kind kind) {
    delete_gl_texture();
    kind_ = kind;
    glGenTextures(1, &gl_name_);
    if (gl_name_ != 0)
        return true;
    log_message("Unable to generate OpenGL texture name.");
    return false;
}

void GpuTexture::delete_gl_texture() {
    renderer().forget_texture(*this);
    if (gl_name_ != 0)
        glDeleteTextures(1, &gl_name_);
    gl_name_ = 0;
}

std::optional<std::int32_t> GpuTexture::upload_pixels(const TexturePixels& pixels,
                                                      const TextureSampling& sampling) {
    ScopedBinding binding(GL_TEXTURE_2D, gl_name_);
    apply_sampling(GL_TEXTURE_2D, sampling);
    const std::optional<GlPixelFormat> format = gl_pixel_format(pixels.format);
    if (!format) {
        log_message("Invalid pixel format.");
        return 0;
    }
    if (!size_accepted(GL_TEXTURE_2D, pixels.width, pixels.height, format->bytes_per_pixel))
        return std::nullopt;
    drain_gl_errors();
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format->format), pixels.width, pixels.height,
                 0, format->format, format->type, pixels.data);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    if (!upload_succeeded())
        return std::nullopt;
    return saturated_bytes(std::int64_t{pixels.width} * pixels.height * format->bytes_per_pixel);
}

std::optional<std::int32_t> GpuTexture::upload_compressed(const CompressedImage& image,
                                                          const TextureSampling& sampling) {
    const GLenum target = gl_target();
    if (image.levels.empty() ||
        !size_accepted(target, image.levels[0].width, image.levels[0].height, 1))
        return std::nullopt;
    ScopedBinding binding(target, gl_name_);
    drain_gl_errors();
    apply_sampling(target, sampling);
    glTexParameteri(target, GL_TEXTURE_MAX_LEVEL, image.levels_per_face - 1);
    const GLenum format = kCompressedFormats[static_cast<std::size_t>(image.format)];
    std::int64_t bytes = 0;
    for (std::size_t i = 0; i < image.levels.size(); ++i) {
        const CompressedLevel& l = image.levels[i];
        const auto face = static_cast<GLenum>(i / image.levels_per_face);
        const auto level = static_cast<GLint>(i % image.levels_per_face);
        const GLenum face_target =
            kind_ == Kind::kCubeMap ? GL_TEXTURE_CUBE_MAP_POSITIVE_X + face : target;
        glCompressedTexImage2D(face_target, level, format, l.width, l.height, 0, l.size, l.data);
        bytes += l.size;
    }
    if (!upload_succeeded())
        return std::nullopt;
    return saturated_bytes(bytes);
}

std::optional<std::int32_t> GpuTexture::allocate(DynamicFormat format, std::int32_t width,
                                                 std::int32_t height,
                                                 const TextureSampling& sampling) {
    const GlDynamicFormat& storage = kDynamicFormats[static_cast<std::size_t>(format)];
    if (!size_accepted(GL_TEXTURE_2D, width, height, storage.bytes_per_pixel))
        return std::nullopt;
    ScopedBinding binding(GL_TEXTURE_2D, gl_name_);
    apply_sampling(GL_TEXTURE_2D, sampling);
    drain_gl_errors();
    glTexImage2D(GL_TEXTURE_2D, 0, storage.internal_format, width, height, 0, storage.source_format,
                 GL_UNSIGNED_BYTE, nullptr);
    // A size beyond what the driver can hold leaves no storage behind.
    if (!upload_succeeded())
        return std::nullopt;
    return saturated_bytes(std::int64_t{width} * height * storage.bytes_per_pixel);
}

}  // namespace tarn
