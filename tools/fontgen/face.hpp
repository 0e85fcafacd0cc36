#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarn::fontgen {

// A FreeType distance in 26.6 fixed point rounded to whole pixels.
inline int round_26_6(FT_Pos value) {
    return static_cast<int>((value + 32) >> 6);
}

// One rendered glyph: coverage rows top to bottom, placed relative to the pen on the baseline
// (left to the right of it, top above it), and the pen advance, all in pixels.
struct GlyphBitmap {
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    int advance = 0;
    std::vector<std::uint8_t> coverage;  // width x height, 0 transparent .. 255 covered
};

// A scalable font face opened at one pixel size.
class FontFace {
public:
    // Null with a one-line reason in error when the file is not a usable scalable font.
    static std::unique_ptr<FontFace> open(const std::string& path, int pixel_size,
                                          std::string& error);

    std::string name() const;
    bool bold() const { return (face_->style_flags & FT_STYLE_FLAG_BOLD) != 0; }
    bool italic() const { return (face_->style_flags & FT_STYLE_FLAG_ITALIC) != 0; }
    // Distance between baselines and from the line top to the baseline.
    int line_height() const { return round_26_6(face_->size->metrics.height); }
    int ascender() const { return round_26_6(face_->size->metrics.ascender); }

    // The face's glyph for code, 0 when the face has none.
    FT_UInt glyph_index(std::uint32_t code) const { return FT_Get_Char_Index(face_.get(), code); }
    // Renders anti-aliased; false with the reason in error.
    bool render(FT_UInt glyph, GlyphBitmap& out, std::string& error) const;
    bool has_kerning() const { return FT_HAS_KERNING(face_); }
    // Horizontal kerning between two glyphs in whole pixels.
    int kerning(FT_UInt left, FT_UInt right) const;

private:
    FontFace() = default;

    struct LibraryDone {
        void operator()(FT_Library library) const { FT_Done_FreeType(library); }
    };
    struct FaceDone {
        void operator()(FT_Face face) const { FT_Done_Face(face); }
    };

    // The face must go before its library: members are destroyed in reverse order.
    std::unique_ptr<FT_LibraryRec_, LibraryDone> library_;
    std::unique_ptr<FT_FaceRec_, FaceDone> face_;
};

}  // namespace tarn::fontgen
