#include "resources/texture_upload.hpp"

#include <cstring>

#include "core/log.hpp"
#include "core/message.hpp"
#include "resources/texture.hpp"

namespace tarn {

namespace {

GLenum binding_query(GLenum target) {
    return target == GL_TEXTURE_CUBE_MAP ? GL_TEXTURE_BINDING_CUBE_MAP : GL_TEXTURE_BINDING_2D;
}

std::int32_t saturated_bytes(std::int64_t bytes) {
    return bytes > 0x7fffffff ? 0x7fffffff : static_cast<std::int32_t>(bytes);
}

}  // namespace

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

std::optional<GlDynamicFormat> gl_dynamic_format(const SharedString& name) {
    const auto is = [&name](const char* text) { return std::strcmp(name.data(), text) == 0; };
    if (is("rgb"))
        return GlDynamicFormat{GL_RGB, GL_RGB, 3};
    if (is("rgba"))
        return GlDynamicFormat{GL_RGBA, GL_RGBA, 4};
    if (is("rgba16f"))
        return GlDynamicFormat{GL_RGBA16F_ARB, GL_RGBA, 8};
    if (is("luminance16"))
        return GlDynamicFormat{GL_LUMINANCE16F_ARB, GL_LUMINANCE, 2};
    return std::nullopt;
}

std::optional<GLenum> gl_compressed_format(DdsFormat format) {
    switch (format) {
        case DdsFormat::kDxt1:
            return GL_COMPRESSED_RGBA_S3TC_DXT1_EXT;
        case DdsFormat::kDxt3:
            return GL_COMPRESSED_RGBA_S3TC_DXT3_EXT;
        case DdsFormat::kDxt5:
            return GL_COMPRESSED_RGBA_S3TC_DXT5_EXT;
        default:
            return std::nullopt;
    }
}

GLuint generate_texture_name() {
    GLuint name = 0;
    glGenTextures(1, &name);
    if (name == 0)
        log_message("Unable to generate OpenGL texture name.");
    return name;
}

ScopedTextureBinding::ScopedTextureBinding(GLenum target, GLuint name) : target_(target) {
    glGetIntegerv(binding_query(target), &previous_);
    glBindTexture(target, name);
}

ScopedTextureBinding::~ScopedTextureBinding() {
    glBindTexture(target_, static_cast<GLuint>(previous_));
}

void set_texture_parameters(GLenum target, std::uint32_t flags, const SharedString& def_name) {
    const bool cube = target == GL_TEXTURE_CUBE_MAP;
    const bool clamp = (flags & kTextureClampUV) != 0;
    if (cube && !clamp)
        log_message(message("Cubemap %1 doesn't use uv clamp!", def_name));
    const GLint wrap = clamp ? GL_CLAMP_TO_EDGE : GL_REPEAT;
    glTexParameteri(target, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(target, GL_TEXTURE_WRAP_T, wrap);
    glTexParameteri(target, GL_TEXTURE_WRAP_R, wrap);
    const bool nearest = (flags & kTextureNearest) != 0;
    const bool mipmaps = (flags & kTextureMipmaps) != 0;
    const GLint mag = nearest ? GL_NEAREST : GL_LINEAR;
    GLint min = mag;
    if (mipmaps)
        min = nearest ? GL_NEAREST_MIPMAP_NEAREST : GL_LINEAR_MIPMAP_LINEAR;
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, mag);
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, min);
    if (mipmaps && GLEW_EXT_texture_filter_anisotropic)
        glTexParameterf(target, GL_TEXTURE_MAX_ANISOTROPY_EXT, 8.0f);
}

std::int32_t upload_image(const Image& image) {
    const std::optional<GlPixelFormat> format = gl_pixel_format(image.format);
    if (!format) {
        log_message("Invalid pixel format.");
        return 0;
    }
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format->format), image.width, image.height, 0,
                 format->format, format->type, image.data.get());
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return saturated_bytes(std::int64_t{image.width} * image.height * format->bytes_per_pixel);
}

std::int32_t upload_dds(GLenum target, GLenum gl_format, const DdsImage& dds) {
    std::int64_t bytes = 0;
    for (int face = 0; face < dds.face_count; ++face) {
        const GLenum face_target = target == GL_TEXTURE_CUBE_MAP
                                       ? static_cast<GLenum>(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face)
                                       : target;
        GLint level = 0;
        for (const DdsLevel& l : dds.faces[face]) {
            glCompressedTexImage2D(face_target, level++, gl_format, l.width, l.height, 0, l.size,
                                   dds.level_data(l));
            bytes += l.size;
        }
    }
    return saturated_bytes(bytes);
}

std::int32_t allocate_dynamic(const GlDynamicFormat& format, std::int32_t width,
                              std::int32_t height) {
    glTexImage2D(GL_TEXTURE_2D, 0, format.internal_format, width, height, 0, format.source_format,
                 GL_UNSIGNED_BYTE, nullptr);
    return saturated_bytes(std::int64_t{width} * height * format.bytes_per_pixel);
}

}  // namespace tarn
