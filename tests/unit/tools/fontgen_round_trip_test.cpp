#include <ft2build.h>
#include FT_FREETYPE_H
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "resources/font.hpp"
#include "resources/image_decoder.hpp"
#include "resources/resource_loading.hpp"
#include "support/log_capture.hpp"
#include "support/script_vm.hpp"
#include "support/temp_dir.hpp"
#include "unit/render/gl_window.hpp"

// The DejaVu Sans font that tarn_fontgen generated at build time (tests/CMakeLists.txt), read by
// the engine and held against FreeType's own view of the same face and size.
namespace tarn {
namespace {

using ::testing::IsEmpty;

constexpr int kPixelSize = 32;
constexpr int kPadding = 1;
constexpr std::uint16_t kFirst = 32, kLast = 126;
const std::string kFontDir = TARN_TEST_FONT_DIR;

int pixels(FT_Pos value) {
    return static_cast<int>(std::lround(value / 64.0));
}

class FreeTypeFace {
public:
    FreeTypeFace() {
        if (FT_Init_FreeType(&library_) == 0 &&
            FT_New_Face(library_, TARN_DEJAVU_SANS, 0, &face_) == 0)
            FT_Set_Pixel_Sizes(face_, 0, kPixelSize);
    }
    ~FreeTypeFace() {
        FT_Done_Face(face_);
        FT_Done_FreeType(library_);
    }
    FT_Face operator->() const { return face_; }
    // The glyph slot after loading code, rendered when render is set.
    FT_GlyphSlot load(std::uint16_t code, bool render = false) const {
        EXPECT_EQ(FT_Load_Char(face_, code, render ? FT_LOAD_RENDER : FT_LOAD_DEFAULT), 0);
        return face_->glyph;
    }
    int kerning(std::uint16_t first, std::uint16_t second) const {
        FT_Vector delta{};
        FT_Get_Kerning(face_, FT_Get_Char_Index(face_, first), FT_Get_Char_Index(face_, second),
                       FT_KERNING_DEFAULT, &delta);
        return pixels(delta.x);
    }

private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

class FontgenRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(face_.operator->(), nullptr) << TARN_DEJAVU_SANS;
        test::LogCapture log;
        ASSERT_TRUE(read_bmfont_text(test::read_file_text(kFontDir + "/sans32.fnt"), table_));
        EXPECT_THAT(log.lines(), IsEmpty());
    }

    // What is wrong with code's rectangle on the page, or "".
    std::string glyph_fault(std::uint16_t code, const Image& page) const {
        const Glyph& glyph = table_.glyph_for(code);
        const FT_GlyphSlot slot = face_.load(code, true);
        const FT_Bitmap& bitmap = slot->bitmap;
        if (glyph.xoffset + kPadding != slot->bitmap_left ||
            glyph.yoffset + kPadding != table_.base - slot->bitmap_top ||
            glyph.width != static_cast<int>(bitmap.width) + 2 * kPadding ||
            glyph.height != static_cast<int>(bitmap.rows) + 2 * kPadding)
            return "placement of " + std::to_string(code);
        for (int y = 0; y < glyph.height; ++y) {
            for (int x = 0; x < glyph.width; ++x) {
                const std::uint8_t* rgba = page.row(glyph.y + y) + (glyph.x + x) * 4;
                const int bx = x - kPadding, by = y - kPadding;
                const bool inside = bx >= 0 && by >= 0 && bx < static_cast<int>(bitmap.width) &&
                                    by < static_cast<int>(bitmap.rows);
                const int coverage = inside ? bitmap.buffer[by * bitmap.pitch + bx] : 0;
                if (rgba[3] != coverage || rgba[0] != 255 || rgba[1] != 255 || rgba[2] != 255)
                    return "pixel " + std::to_string(x) + "," + std::to_string(y) + " of " +
                           std::to_string(code);
            }
        }
        return "";
    }

    FreeTypeFace face_;
    GlyphTable table_;
};

TEST_F(FontgenRoundTrip, LinesAdvancesAndKerningAreFreeTypesAtTheSameSize) {
    EXPECT_EQ(table_.line_height, pixels(face_->size->metrics.height));
    EXPECT_EQ(table_.base, pixels(face_->size->metrics.ascender));
    std::vector<int> advance(kLast + 1);
    for (std::uint16_t code = kFirst; code <= kLast; ++code)
        advance[code] = pixels(face_.load(code)->advance.x);
    std::vector<std::string> wrong;
    std::size_t kerned = 0;
    for (std::uint16_t first = kFirst; first <= kLast; ++first) {
        for (std::uint16_t second = kFirst; second <= kLast; ++second) {
            const std::uint16_t codes[] = {first, second};
            const int kerning = face_.kerning(first, second);
            kerned += kerning != 0;
            if (table_.measure(codes, 0, 2) != advance[first] + advance[second] + kerning)
                wrong.push_back(std::string{char(first), char(second)});
        }
    }
    EXPECT_THAT(wrong, IsEmpty());
    EXPECT_GT(kerned, 0u) << "DejaVu Sans kerns pairs such as AV";
    EXPECT_EQ(table_.kernings().size(), kerned);
}

TEST_F(FontgenRoundTrip, PageHoldsFreeTypesCoverageInWhiteWhereTheGlyphsSay) {
    const std::string png = test::read_file_text(kFontDir + "/sans32.png");
    Image page;
    ASSERT_EQ(decode_png(reinterpret_cast<const std::uint8_t*>(png.data()), png.size(), 0, page),
              DecodeResult::Decoded);
    ASSERT_EQ(page.format, PixelFormat::RGBA8);
    EXPECT_EQ(page.width, table_.scale_w);
    EXPECT_EQ(page.height, table_.scale_h);
    std::vector<std::string> wrong;
    for (std::uint16_t code = kFirst; code <= kLast; ++code) {
        if (const std::string fault = glyph_fault(code, page); !fault.empty())
            wrong.push_back(fault);
    }
    EXPECT_THAT(wrong, IsEmpty());
}

TEST(FontgenInTheEngine, LoadsAsAFontWithItsPageTexture) {
    test::GlWindow* window = test::GlWindow::get();
    if (window == nullptr)
        GTEST_SKIP() << "no display";
    test::TempDir game;
    std::filesystem::create_directories(game.path() / "data/fonts");
    for (const char* file : {"sans32.fnt", "sans32.png"})
        std::filesystem::copy_file(kFontDir + "/" + file,
                                   game / ("data/fonts/" + std::string(file)));
    const std::filesystem::path previous_dir = std::filesystem::current_path();
    std::filesystem::current_path(game.path());
    {
        test::ScriptVm vm;
        vm.eval(
            "g_texture_defs[\"fonts/sans32.png\"] <- { mipmaps = false };"
            "g_font_defs[\"sans32\"] <- { file = \"fonts/sans32.fnt\" };");
        test::LogCapture log;
        ObjectRef<Font> font(get_or_load<Font>(vm.vm(), "sans32", false));
        ASSERT_TRUE(font);
        EXPECT_EQ(font->load_state(), EngineObject::kLoaded);
        EXPECT_THAT(log.lines(), IsEmpty());
        ASSERT_NE(font->texture(), nullptr);
        EXPECT_EQ(font->texture()->width(), font->glyphs().scale_w);
        EXPECT_EQ(font->texture()->height(), font->glyphs().scale_h);
    }
    std::filesystem::current_path(previous_dir);
}

}  // namespace
}  // namespace tarn
