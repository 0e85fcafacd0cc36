#include "tools/fontgen/font_builder.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "tools/fontgen/face.hpp"
#include "tools/fontgen/shelf_packer.hpp"

namespace tarn::fontgen {
namespace {

constexpr std::uint16_t kSpace = 32;

struct RenderedGlyph {
    std::uint16_t code = 0;
    FT_UInt index = 0;
    GlyphBitmap bitmap;
};

// "code 65 (U+0041)", or "codes 65-90 (U+0041-U+005A)" for a run.
std::string code_label(int first, int last) {
    char text[64];
    if (first == last)
        std::snprintf(text, sizeof text, "code %d (U+%04X)", first, first);
    else
        std::snprintf(text, sizeof text, "codes %d-%d (U+%04X-U+%04X)", first, last, first, last);
    return text;
}

// One warning per run of consecutive codes the font lacks.
void warn_missing(const std::vector<std::uint16_t>& missing, std::vector<std::string>& warnings) {
    for (std::size_t start = 0, end = 0; start < missing.size(); start = end) {
        end = start + 1;
        while (end < missing.size() && missing[end] == missing[end - 1] + 1)
            ++end;
        warnings.push_back(code_label(missing[start], missing[end - 1]) +
                           (end - start == 1 ? " is" : " are") + " not in the font; skipped");
    }
}

bool render_glyphs(const FontFace& face, const std::vector<std::uint16_t>& codes,
                   std::vector<RenderedGlyph>& glyphs, std::vector<std::string>& warnings,
                   std::string& error) {
    std::vector<std::uint16_t> missing;
    for (const std::uint16_t code : codes) {
        RenderedGlyph glyph{code, face.glyph_index(code), {}};
        if (glyph.index == 0 && code == kSpace) {
            error = "the font has no space (code 32)";
            return false;
        }
        if (glyph.index == 0) {
            missing.push_back(code);
            continue;
        }
        if (!face.render(glyph.index, glyph.bitmap, error)) {
            error = "cannot render " + code_label(code, code) + ": " + error;
            return false;
        }
        glyphs.push_back(std::move(glyph));
    }
    warn_missing(missing, warnings);
    if (glyphs.empty())
        error = "none of the codes given by --chars is in the font";
    return !glyphs.empty();
}

std::string no_room_message(const Options& options) {
    if (options.page_width > 0) {
        return "the glyphs do not fit in a " + std::to_string(options.page_width) + "x" +
               std::to_string(options.page_height) +
               " page; use a larger --page-size, a smaller --size or fewer --chars";
    }
    const std::string side = std::to_string(kMaxPageSide);
    return "the glyphs do not fit in a " + side + "x" + side +
           " page (the largest texture the engine loads); use a smaller --size or fewer --chars";
}

void copy_coverage(const GlyphBitmap& bitmap, int x, int y, BitmapFont& font) {
    for (int row = 0; row < bitmap.height; ++row) {
        std::memcpy(&font.page[static_cast<std::size_t>(y + row) * font.page_width + x],
                    &bitmap.coverage[static_cast<std::size_t>(row) * bitmap.width], bitmap.width);
    }
}

// Packs the glyph rectangles (padding included), draws the page and records each glyph.
bool place_glyphs(const Options& options, const std::vector<RenderedGlyph>& glyphs,
                  BitmapFont& font, std::string& error) {
    const int pad = options.padding;
    std::vector<PackRect> rects;
    for (const RenderedGlyph& glyph : glyphs)
        rects.push_back({glyph.bitmap.width + 2 * pad, glyph.bitmap.height + 2 * pad});
    const std::optional<PackedPage> packed =
        pack_shelves(rects, options.spacing, options.page_width, options.page_height, kMaxPageSide);
    if (!packed) {
        error = no_room_message(options);
        return false;
    }
    font.page_width = packed->width;
    font.page_height = packed->height;
    font.page.assign(static_cast<std::size_t>(font.page_width) * font.page_height, 0);
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const GlyphBitmap& bitmap = glyphs[i].bitmap;
        const PackPlace place = packed->places[i];
        copy_coverage(bitmap, place.x + pad, place.y + pad, font);
        font.chars.push_back({glyphs[i].code, place.x, place.y, rects[i].width, rects[i].height,
                              bitmap.left - pad, font.base - bitmap.top - pad, bitmap.advance});
    }
    return true;
}

std::vector<FontKerning> kerning_pairs(const FontFace& face,
                                       const std::vector<RenderedGlyph>& glyphs) {
    std::vector<FontKerning> pairs;
    if (!face.has_kerning())
        return pairs;
    for (const RenderedGlyph& first : glyphs) {
        for (const RenderedGlyph& second : glyphs) {
            if (const int amount = face.kerning(first.index, second.index))
                pairs.push_back({first.code, second.code, amount});
        }
    }
    return pairs;
}

}  // namespace

std::optional<BitmapFont> build_font(const Options& options, std::vector<std::string>& warnings,
                                     std::string& error) {
    const std::unique_ptr<FontFace> face =
        FontFace::open(options.font_path, options.pixel_size, error);
    if (!face)
        return std::nullopt;
    if (!std::binary_search(options.codes.begin(), options.codes.end(), kSpace)) {
        warnings.push_back(
            "--chars leaves out the space (32); the engine warns about fonts without one");
    }
    BitmapFont font;
    font.face_name = face->name();
    font.bold = face->bold();
    font.italic = face->italic();
    font.pixel_size = options.pixel_size;
    font.padding = options.padding;
    font.spacing = options.spacing;
    font.line_height = face->line_height();
    font.base = face->ascender();
    std::vector<RenderedGlyph> glyphs;
    if (!render_glyphs(*face, options.codes, glyphs, warnings, error) ||
        !place_glyphs(options, glyphs, font, error))
        return std::nullopt;
    font.kernings = kerning_pairs(*face, glyphs);
    return font;
}

}  // namespace tarn::fontgen
