#include "tools/fontgen/face.hpp"

#include <cstring>

namespace tarn::fontgen {
namespace {

// FreeType's own texts for its error codes (its header expands into a switch).
std::string describe(FT_Error code) {
#undef FTERRORS_H_
#define FT_ERROR_START_LIST switch (code) {
#define FT_ERRORDEF(e, v, s) \
    case v:                  \
        return s;
#define FT_ERROR_END_LIST }
#include FT_ERRORS_H
    return "FreeType error " + std::to_string(code);
}

}  // namespace

std::unique_ptr<FontFace> FontFace::open(const std::string& path, int pixel_size,
                                         std::string& error) {
    std::unique_ptr<FontFace> face(new FontFace);
    FT_Library library = nullptr;
    if (const FT_Error code = FT_Init_FreeType(&library)) {
        error = "cannot start FreeType: " + describe(code);
        return nullptr;
    }
    face->library_.reset(library);
    FT_Face ft_face = nullptr;
    if (const FT_Error code = FT_New_Face(library, path.c_str(), 0, &ft_face)) {
        error = "cannot open font '" + path + "': " + describe(code);
        return nullptr;
    }
    face->face_.reset(ft_face);
    if (!FT_IS_SCALABLE(ft_face)) {
        error = "'" + path + "' is a bitmap font; an outline (TrueType or OpenType) font is needed";
        return nullptr;
    }
    if (const FT_Error code = FT_Set_Pixel_Sizes(ft_face, 0, pixel_size)) {
        error = "cannot size '" + path + "' to " + std::to_string(pixel_size) +
                " pixels: " + describe(code);
        return nullptr;
    }
    return face;
}

std::string FontFace::name() const {
    std::string name = face_->family_name ? face_->family_name : "unknown";
    if (face_->style_name && std::strcmp(face_->style_name, "Regular") != 0)
        name += std::string(" ") + face_->style_name;
    return name;
}

bool FontFace::render(FT_UInt glyph, GlyphBitmap& out, std::string& error) const {
    if (const FT_Error code = FT_Load_Glyph(face_.get(), glyph, FT_LOAD_RENDER)) {
        error = describe(code);
        return false;
    }
    const FT_GlyphSlot slot = face_->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.rows > 0 && bitmap.width > 0) {
        error = "the glyph did not render as an anti-aliased bitmap";
        return false;
    }
    out.width = static_cast<int>(bitmap.width);
    out.height = static_cast<int>(bitmap.rows);
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    out.advance = round_26_6(slot->advance.x);
    out.coverage.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y) {
        std::memcpy(&out.coverage[static_cast<std::size_t>(y) * out.width],
                    bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch, out.width);
    }
    return true;
}

int FontFace::kerning(FT_UInt left, FT_UInt right) const {
    FT_Vector delta{};
    if (FT_Get_Kerning(face_.get(), left, right, FT_KERNING_DEFAULT, &delta) != 0)
        return 0;
    return round_26_6(delta.x);
}

}  // namespace tarn::fontgen
