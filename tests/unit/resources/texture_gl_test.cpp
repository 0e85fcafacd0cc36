#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/cvar_list.hpp"
#include "core/message.hpp"
#include "resources/resource_loading.hpp"
#include "resources/texture.hpp"
#include "support/log_capture.hpp"
#include "support/script_vm.hpp"
#include "support/temp_dir.hpp"
#include "unit/render/gl_window.hpp"
#include "unit/resources/image_test_files.hpp"

// Textures uploaded to a real GL context: sizes, frames, parameters and memory.
namespace tarn {
namespace {

using ::testing::ElementsAre;

// Magenta columns every `spacing` pixels (17: frames of 16 between them), when spacing is set.
std::string rgb_png(int width, int height, int spacing = 0) {
    test::PngPicture p;
    p.width = width;
    p.height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool magenta = spacing > 0 && x % spacing == spacing - 1;
            p.rows.insert(p.rows.end(),
                          {std::uint8_t(magenta ? 255 : 10), 0, std::uint8_t(magenta ? 255 : 30)});
        }
    }
    return test::encode_png(p);
}

std::string rgba_png(int width, int height) {
    test::PngPicture p;
    p.width = width;
    p.height = height;
    p.color_type = PNG_COLOR_TYPE_RGB_ALPHA;
    p.rows.assign(static_cast<std::size_t>(width) * height * 4, 128);
    return test::encode_png(p);
}

// A DXT1 file of width x height with levels mip levels per face (6 faces for a cube map).
std::string dxt1_dds(int width, int height, int levels, bool cube) {
    std::string header(128, '\0');
    const auto put = [&header](int offset, std::uint32_t value) {
        std::memcpy(&header[offset], &value, 4);
    };
    header.replace(0, 4, "DDS ");
    put(4, 124);
    put(8, 0x1 | 0x2 | 0x4 | 0x1000 | (levels > 1 ? 0x20000 : 0));
    put(12, height);
    put(16, width);
    put(28, levels > 1 ? levels : 0);
    put(76, 32);
    put(80, 0x4);
    header.replace(84, 4, "DXT1");
    put(108, 0x1000 | (levels > 1 ? 0x400008 : 0) | (cube ? 0x8 : 0));
    put(112, cube ? 0xFE00 : 0);
    std::string data;
    for (int face = 0; face < (cube ? 6 : 1); ++face) {
        for (int l = 0, w = width, h = height; l < levels;
             ++l, w = std::max(w / 2, 1), h = std::max(h / 2, 1))
            data.append(static_cast<std::size_t>((w + 3) / 4) * ((h + 3) / 4) * 8, '\0');
    }
    return header + data;
}

class TextureGlTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = test::GlWindow::get();
        if (window_ == nullptr)
            GTEST_SKIP() << "no display";
        previous_dir_ = std::filesystem::current_path();
        std::filesystem::create_directory(dir_.path() / "data");
        std::filesystem::current_path(dir_.path());
        vm_ = std::make_unique<test::ScriptVm>();
        cvar_list().find_or_create("textures_format").set(SharedString(""));
    }
    void TearDown() override {
        if (window_ == nullptr)
            return;
        vm_.reset();
        std::filesystem::current_path(previous_dir_);
    }

    void write_data(const char* name, const std::string& bytes) {
        std::ofstream(dir_ / ("data/" + std::string(name)), std::ios::binary) << bytes;
    }
    void define(const std::string& name, const std::string& table) {
        vm_->eval("g_texture_defs[\"" + name + "\"] <- " + table);
    }
    ObjectRef<Texture> load(const char* name) {
        return ObjectRef<Texture>(get_or_load<Texture>(vm_->vm(), name, false));
    }
    static GLint parameter(const Texture& t, GLenum name) {
        GLint previous = 0, value = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
        glBindTexture(GL_TEXTURE_2D, t.gl_name());
        glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
        glBindTexture(GL_TEXTURE_2D, previous);
        return value;
    }

    test::GlWindow* window_ = nullptr;
    test::TempDir dir_;
    std::filesystem::path previous_dir_;
    std::unique_ptr<test::ScriptVm> vm_;
};

TEST_F(TextureGlTest, PictureIsPaddedToPowersOfTwoAndTheBindingRestored) {
    write_data("photo.png", rgba_png(640, 480));
    define("photo", "{ file = \"photo.png\", mipmaps = false }");
    GLuint sentinel = 0;
    glGenTextures(1, &sentinel);
    glBindTexture(GL_TEXTURE_2D, sentinel);
    ObjectRef<Texture> t = load("photo");
    ASSERT_TRUE(t);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), sentinel);
    EXPECT_EQ(t->width(), 1024);
    EXPECT_EQ(t->height(), 512);
    EXPECT_EQ(t->image_width(), 640);
    EXPECT_EQ(t->image_height(), 480);
    EXPECT_FLOAT_EQ(t->inv_width(), 1.0f / 1024);
    EXPECT_FLOAT_EQ(t->inv_height(), 1.0f / 512);
    EXPECT_EQ(t->memory_bytes(), 1024 * 512 * 4);
    EXPECT_EQ(t->gl_target(), static_cast<GLenum>(GL_TEXTURE_2D));
    EXPECT_EQ(t->flags(), std::uint32_t{kTexturePremultiplied});
    EXPECT_EQ(parameter(*t, GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(parameter(*t, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    glDeleteTextures(1, &sentinel);
}

TEST_F(TextureGlTest, SixteenBitStorageAndJpegPictures) {
    write_data("photo.png", rgba_png(60, 20));
    write_data("photo.jpg", test::encode_jpeg(8, 8, 3, std::vector<std::uint8_t>(8 * 8 * 3, 90)));
    define("photo16", "{ file = \"photo.png\", mipmaps = false }");
    define("jpeg", "{ file = \"photo.jpg\", mipmaps = false }");
    cvar_list().find_or_create("textures_format").set(SharedString("16"));
    ObjectRef<Texture> t = load("photo16");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->memory_bytes(), 64 * 32 * 2);
    cvar_list().find_or_create("textures_format").set(SharedString(""));
    ObjectRef<Texture> jpeg = load("jpeg");
    ASSERT_TRUE(jpeg);
    EXPECT_EQ(jpeg->memory_bytes(), 8 * 8 * 3);
}

TEST_F(TextureGlTest, FramesBySizeGridAndExtractionAppendInThatOrder) {
    write_data("tiles.png", rgb_png(100, 70));
    define("by_size",
           "{ file = \"tiles.png\", mipmaps = false, frame_size = [32, 32],"
           " frame_pivot = [16, 8], color = [1, 0, 0, 0.5] }");
    define("by_grid", "{ file = \"tiles.png\", mipmaps = false, grid_size = [3.7, 2] }");
    ObjectRef<Texture> t = load("by_size");
    ASSERT_TRUE(t);
    ASSERT_EQ(t->frames().size(), 6u);
    const TextureFrame& last = t->frames()[5];
    EXPECT_FLOAT_EQ(last.x, 64);
    EXPECT_FLOAT_EQ(last.y, 32);
    EXPECT_FLOAT_EQ(last.u0, 64.0f / 128);
    EXPECT_FLOAT_EQ(last.v1, 64.0f / 128);
    EXPECT_FLOAT_EQ(last.pivot_x, 16);
    EXPECT_FLOAT_EQ(last.pivot_y, 8);
    EXPECT_EQ(last.color, (std::array<float, 4>{1, 0, 0, 0.5f}));

    ObjectRef<Texture> grid = load("by_grid");
    ASSERT_TRUE(grid);
    ASSERT_EQ(grid->frames().size(), 6u);  // 3.7 columns count as 3
    EXPECT_FLOAT_EQ(grid->frames()[4].x, 100.0f / 3);
    EXPECT_FLOAT_EQ(grid->frames()[4].h, 35);
    EXPECT_FLOAT_EQ(grid->frames()[4].pivot_x, 0);

    // Padding to 64 columns repeats the magenta last column, which closes the second frame.
    write_data("sheet.png", rgb_png(34, 16, 17));
    define("sheet",
           "{ file = \"sheet.png\", mipmaps = false, extract_frames = true,"
           " grid_size = [1, 1], frame_pivot = [5, 5] }");
    ObjectRef<Texture> sheet = load("sheet");
    ASSERT_TRUE(sheet);
    ASSERT_EQ(sheet->frames().size(), 3u);
    EXPECT_FLOAT_EQ(sheet->frames()[0].w, 34);  // the grid comes first
    EXPECT_FLOAT_EQ(sheet->frames()[2].x, 17);
    EXPECT_FLOAT_EQ(sheet->frames()[2].w, 16);
    EXPECT_FLOAT_EQ(sheet->frames()[2].pivot_x, 0);  // extracted frames ignore the pivot
}

TEST_F(TextureGlTest, ParametersFollowTheFlags) {
    write_data("tiles.png", rgb_png(4, 4));
    define("clamped",
           "{ file = \"tiles.png\", mipmaps = false, clampuv = true,"
           " filtering = \"nearest\", premultiply_alpha = false }");
    ObjectRef<Texture> t = load("clamped");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->flags(), std::uint32_t{kTextureClampUV | kTextureNearest});
    EXPECT_EQ(parameter(*t, GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
    EXPECT_EQ(parameter(*t, GL_TEXTURE_MAG_FILTER), GL_NEAREST);
    EXPECT_EQ(parameter(*t, GL_TEXTURE_MIN_FILTER), GL_NEAREST);
}

TEST_F(TextureGlTest, BuiltInWhiteAndDynamicTextures) {
    define("white", "{ _special_ = \"_white_\", mipmaps = true }");
    ObjectRef<Texture> white = load("white");
    ASSERT_TRUE(white);
    EXPECT_EQ(white->flags(), std::uint32_t{kTextureClampUV | kTexturePremultiplied});
    EXPECT_EQ(white->width(), 1);
    EXPECT_EQ(white->image_height(), 1);
    EXPECT_EQ(white->memory_bytes(), 3);
    EXPECT_NE(white->gl_name(), 0u);

    define("target",
           "{ dynamic = true, width = 128, height = 64, image_height = 50,"
           " format = \"rgba\", mask_color = true, clampuv = true }");
    ObjectRef<Texture> target = load("target");
    ASSERT_TRUE(target);
    EXPECT_EQ(target->flags(), std::uint32_t{kTextureClampUV | kTextureDynamic});
    EXPECT_EQ(target->image_width(), 128);
    EXPECT_EQ(target->image_height(), 50);
    EXPECT_FLOAT_EQ(target->inv_height(), 1.0f / 64);
    EXPECT_EQ(target->memory_bytes(), 128 * 64 * 4);
}

TEST_F(TextureGlTest, DdsMipmapsAndCubeMaps) {
    write_data("mips.dds", dxt1_dds(16, 8, 5, false));
    write_data("cube.dds", dxt1_dds(8, 8, 1, true));
    define("mips", "{ file = \"mips.dds\", mipmaps = false }");
    define("cube", "{ file = \"cube.dds\", cube_map = true, clampuv = true }");
    ObjectRef<Texture> mips = load("mips");
    ASSERT_TRUE(mips);
    EXPECT_NE(mips->flags() & kTextureMipmaps, 0u);  // set by the file's levels
    EXPECT_EQ(mips->width(), 16);
    EXPECT_EQ(mips->image_height(), 8);
    EXPECT_EQ(mips->memory_bytes(), 64 + 16 + 8 + 8 + 8);  // 16x8 down to 1x1
    EXPECT_EQ(parameter(*mips, GL_TEXTURE_MAX_LEVEL), 4);
    EXPECT_EQ(parameter(*mips, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);

    ObjectRef<Texture> cube = load("cube");
    ASSERT_TRUE(cube);
    EXPECT_EQ(cube->gl_target(), static_cast<GLenum>(GL_TEXTURE_CUBE_MAP));
    EXPECT_EQ(cube->memory_bytes(), 6 * 32);
}

TEST_F(TextureGlTest, ForgettingAndDestroyingDeleteTheGlTexture) {
    define("white", "{ _special_ = \"_white_\" }");
    ObjectRef<Texture> t = load("white");
    ASSERT_TRUE(t);
    const GLuint first = t->gl_name();
    EXPECT_TRUE(glIsTexture(first));
    forget_textures();
    EXPECT_FALSE(glIsTexture(first));
    EXPECT_EQ(t->gl_name(), 0u);
    EXPECT_EQ(t->memory_bytes(), 0);
    load_pending_textures();
    EXPECT_EQ(t->load_state(), EngineObject::kLoaded);
    const GLuint second = t->gl_name();
    EXPECT_TRUE(glIsTexture(second));
    t.reset();
    EXPECT_FALSE(glIsTexture(second));
}

TEST_F(TextureGlTest, FailureAfterTheNameWasMadeLeavesNoTexture) {
    define("huge", "{ dynamic = true, width = 1000000, height = 1000000, format = \"rgb\" }");
    ObjectRef<Texture> t(new Texture);
    t->set_def_name(vm_->vm(), "huge");
    EXPECT_FALSE(t->load_object());
    EXPECT_EQ(t->load_state(), EngineObject::kFailed);
    EXPECT_EQ(t->gl_name(), 0u);
    EXPECT_EQ(t->memory_bytes(), 0);
}

// A DDS wider than the driver's limit used to load "successfully" and count its bytes although
// GL had refused it.
TEST_F(TextureGlTest, ADdsBeyondTheDriversLimitFailsToLoad) {
    GLint max_side = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &max_side);
    write_data("wide.dds", dxt1_dds(max_side * 2, 4, 1, false));
    define("wide", "{ file = \"wide.dds\", mipmaps = false }");
    test::LogCapture log;
    ObjectRef<Texture> t(new Texture);
    t->set_def_name(vm_->vm(), "wide");
    EXPECT_FALSE(t->load_object());
    EXPECT_EQ(t->memory_bytes(), 0);
    EXPECT_THAT(log.lines(),
                ::testing::Contains(
                    message("Invalid or unsupported texture size %1x4.", max_side * 2).data()));
}

}  // namespace
}  // namespace tarn
