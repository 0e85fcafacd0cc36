#include "render/gpu_texture.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "gl_window.hpp"

// GPU textures in a real GL context: what GL holds after each kind of upload.
namespace tarn {
namespace {

class GpuTextureTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::GlWindow::get() == nullptr)
            GTEST_SKIP() << "no display";
        glGenTextures(1, &sentinel_);
        glBindTexture(GL_TEXTURE_2D, sentinel_);
        while (glGetError() != GL_NO_ERROR) {
        }
    }
    void TearDown() override {
        if (sentinel_ == 0)
            return;
        EXPECT_EQ(bound_2d(), sentinel_) << "every upload restores the previous binding";
        glDeleteTextures(1, &sentinel_);
    }

    static GLuint bound_2d() {
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        return static_cast<GLuint>(bound);
    }
    // Level 0 of texture as RGBA bytes, rows from the top.
    static std::vector<int> read_back(const GpuTexture& texture, int width, int height) {
        std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
        const GLuint previous = bound_2d();
        glBindTexture(GL_TEXTURE_2D, texture.gl_name());
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        glBindTexture(GL_TEXTURE_2D, previous);
        return {rgba.begin(), rgba.end()};
    }
    static GLint level_parameter(const GpuTexture& texture, GLenum name) {
        const GLuint previous = bound_2d();
        GLint value = 0;
        glBindTexture(GL_TEXTURE_2D, texture.gl_name());
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
        glBindTexture(GL_TEXTURE_2D, previous);
        return value;
    }

    GLuint sentinel_ = 0;
};

// The bytes of one 16-bit pixel word.
std::vector<std::uint8_t> word(std::uint16_t value) {
    std::vector<std::uint8_t> bytes(2);
    std::memcpy(bytes.data(), &value, 2);
    return bytes;
}

TEST_F(GpuTextureTest, EachPixelFormatReachesGlWithItsChannelsInPlaceAndUnpaddedRows) {
    struct Case {
        PixelFormat format;
        std::vector<std::uint8_t> top, bottom;  // one pixel of each row
        std::vector<int> top_rgba, bottom_rgba;
    };
    const Case cases[] = {
        {PixelFormat::RGB8, {255, 0, 0}, {0, 255, 0}, {255, 0, 0, 255}, {0, 255, 0, 255}},
        {PixelFormat::RGBA8,
         {255, 0, 0, 128},
         {0, 0, 255, 255},
         {255, 0, 0, 128},
         {0, 0, 255, 255}},
        {PixelFormat::RGB565, word(0xF800), word(0x001F), {255, 0, 0, 255}, {0, 0, 255, 255}},
        {PixelFormat::RGBA4444, word(0xF00F), word(0x0F08), {255, 0, 0, 255}, {0, 255, 0, 136}},
        {PixelFormat::RGBA5551, word(0xF801), word(0x07C0), {255, 0, 0, 255}, {0, 255, 0, 0}},
    };
    // Three pixels a row: no row of any format is a multiple of four bytes long.
    constexpr int kWidth = 3, kHeight = 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.format));
        std::vector<std::uint8_t> picture;
        for (int x = 0; x < kWidth; ++x)
            picture.insert(picture.end(), c.top.begin(), c.top.end());
        for (int x = 0; x < kWidth; ++x)
            picture.insert(picture.end(), c.bottom.begin(), c.bottom.end());
        ObjectRef<GpuTexture> texture(new GpuTexture);
        ASSERT_TRUE(texture->create_gl_texture(GpuTexture::Kind::k2d));
        texture->upload_pixels({kWidth, kHeight, c.format, picture.data()}, {});
        const std::vector<int> rgba = read_back(*texture, kWidth, kHeight);
        for (int i = 0; i < kWidth * kHeight; ++i) {
            const std::vector<int>& expected = i < kWidth ? c.top_rgba : c.bottom_rgba;
            for (int channel = 0; channel < 4; ++channel)
                EXPECT_NEAR(rgba[i * 4 + channel], expected[channel], 1) << "pixel " << i;
        }
    }
}

TEST_F(GpuTextureTest, DynamicStorageByFormatNameAndARefusedSizeReportedAsAFailure) {
    struct Case {
        const char* name;
        GLint internal_format;
        std::int32_t bytes;  // of 4 x 2 pixels
    };
    const Case cases[] = {
        {"rgb", GL_RGB, 24},
        {"rgba", GL_RGBA, 32},
        {"rgba16f", GL_RGBA16F_ARB, 64},
        {"luminance16", GL_LUMINANCE16F_ARB, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<DynamicFormat> format = dynamic_format_named(c.name);
        ASSERT_TRUE(format);
        ObjectRef<GpuTexture> texture(new GpuTexture);
        ASSERT_TRUE(texture->create_gl_texture(GpuTexture::Kind::k2d));
        EXPECT_EQ(texture->allocate(*format, 4, 2, {}), c.bytes);
        EXPECT_EQ(level_parameter(*texture, GL_TEXTURE_INTERNAL_FORMAT), c.internal_format);
        EXPECT_EQ(level_parameter(*texture, GL_TEXTURE_WIDTH), 4);
    }
    for (const char* unknown : {"", "RGB", "rgba8", "rgb "})
        EXPECT_FALSE(dynamic_format_named(unknown)) << unknown;

    ObjectRef<GpuTexture> huge(new GpuTexture);
    ASSERT_TRUE(huge->create_gl_texture(GpuTexture::Kind::k2d));
    EXPECT_FALSE(huge->allocate(DynamicFormat::kRgb, 1000000, 1000000, {}));
    EXPECT_EQ(level_parameter(*huge, GL_TEXTURE_WIDTH), 0) << "no storage is left behind";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "the error was taken";
}

// Sides past the driver's limit, and sizes whose bytes overflow 32 bits, never reach GL: each
// upload kind reports them as refused and leaves no storage and no GL error behind. A side of
// 2^25 used to crash inside the driver.
TEST_F(GpuTextureTest, OversizedUploadsAreRefusedBeforeGl) {
    GLint max_side = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_side);
    const std::int32_t beyond = max_side + 1;
    struct Case {
        const char* what;
        std::optional<std::int32_t> (*upload)(GpuTexture&, std::int32_t, std::int32_t);
    };
    const Case cases[] = {
        {"dynamic", [](GpuTexture& t, std::int32_t w,
                       std::int32_t h) { return t.allocate(DynamicFormat::kRgba, w, h, {}); }},
        {"pixels",
         [](GpuTexture& t, std::int32_t w, std::int32_t h) {
             return t.upload_pixels({w, h, PixelFormat::RGBA8, "\xff\xff\xff\xff"}, {});
         }},
        {"compressed",
         [](GpuTexture& t, std::int32_t w, std::int32_t h) {
             static const std::uint8_t data[8] = {};
             return t.upload_compressed({CompressedFormat::kDxt1, 1, {{w, h, 8, data}}}, {});
         }},
    };
    const std::int32_t sizes[][2] = {{beyond, 4}, {4, beyond}, {1 << 25, 1 << 25}, {0, 4}};
    for (const Case& c : cases) {
        for (const auto& size : sizes) {
            SCOPED_TRACE(::testing::Message() << c.what << " " << size[0] << "x" << size[1]);
            ObjectRef<GpuTexture> texture(new GpuTexture);
            ASSERT_TRUE(texture->create_gl_texture(GpuTexture::Kind::k2d));
            EXPECT_FALSE(c.upload(*texture, size[0], size[1]));
            EXPECT_EQ(level_parameter(*texture, GL_TEXTURE_WIDTH), 0);
            EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        }
    }
}

// A refusal that only GL itself can report (here a compressed level whose byte count does not
// match its size) fails the upload instead of counting memory.
TEST_F(GpuTextureTest, AnUploadGlRefusesIsReportedAsAFailure) {
    static const std::uint8_t data[8] = {};
    ObjectRef<GpuTexture> texture(new GpuTexture);
    ASSERT_TRUE(texture->create_gl_texture(GpuTexture::Kind::k2d));
    EXPECT_FALSE(texture->upload_compressed({CompressedFormat::kDxt1, 1, {{64, 64, 8, data}}}, {}));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(texture->upload_compressed({CompressedFormat::kDxt1, 1, {{4, 4, 8, data}}}, {}), 8);
}

TEST_F(GpuTextureTest, ANewGlTextureReplacesTheOldOneAndDestructionDeletesIt) {
    const TexturePixels white = {1, 1, PixelFormat::RGB8, "\xff\xff\xff"};
    ObjectRef<GpuTexture> texture(new GpuTexture);
    ASSERT_TRUE(texture->create_gl_texture(GpuTexture::Kind::k2d));
    texture->upload_pixels(white, {});
    const GLuint first = texture->gl_name();
    ASSERT_TRUE(glIsTexture(first));

    ASSERT_TRUE(texture->create_gl_texture(GpuTexture::Kind::kCubeMap));
    EXPECT_FALSE(glIsTexture(first));
    EXPECT_EQ(texture->gl_target(), static_cast<GLenum>(GL_TEXTURE_CUBE_MAP));
    ASSERT_TRUE(texture->create_gl_texture(GpuTexture::Kind::k2d));
    EXPECT_EQ(texture->gl_target(), static_cast<GLenum>(GL_TEXTURE_2D));
    texture->upload_pixels(white, {});
    const GLuint last = texture->gl_name();
    ASSERT_TRUE(glIsTexture(last));
    texture.reset();
    EXPECT_FALSE(glIsTexture(last));
}

}  // namespace
}  // namespace tarn
