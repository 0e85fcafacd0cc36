#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "resources/texture.hpp"
#include "script/engine_object.hpp"
#include "script/object_ref.hpp"

namespace tarn {

// One glyph of a bitmap font; a negative width marks an absent glyph. first_kerning is the index
// of the glyph's first kerning pair, -1 for none.
struct Glyph {
    std::int16_t x = 0, y = 0;
    std::int16_t width = -1, height = 0;
    std::int16_t xoffset = 0, yoffset = 0;
    std::int16_t xadvance = 0;
    std::int16_t first_kerning = -1;

    bool present() const { return width >= 0; }
};

struct KerningPair {
    std::uint16_t first = 0;
    std::uint16_t second = 0;
    std::int16_t amount = 0;
};

// The metrics, glyphs and kerning pairs of a font file, addressed by 16-bit code. Glyphs live in
// pages of 256 codes, created when a glyph of the page is first stored.
class GlyphTable {
public:
    static constexpr int kPageSize = 256;
    static constexpr int kPageCount = 256;

    std::int32_t line_height = 0;
    std::int32_t base = 0;
    std::int32_t scale_w = 0;
    std::int32_t scale_h = 0;
    float missing_advance = 0;

    // The glyph record of code's page, or null when that page does not exist.
    const Glyph* find_glyph(std::uint16_t code) const;
    // That glyph, or the absent glyph when its page does not exist.
    const Glyph& glyph_for(std::uint16_t code) const;
    // The amount of the pair (code, next), scanning from glyph's first pair while the pairs'
    // first equals code; 0 when there is none.
    int kerning(const Glyph& glyph, std::uint16_t code, std::uint16_t next) const;
    // Unscaled width of codes[start .. start + count): advances plus kerning inside the range,
    // missing_advance for absent glyphs.
    float measure(const std::uint16_t* codes, int start, int count) const;

    const std::vector<KerningPair>& kernings() const { return kernings_; }

private:
    friend class BmfontReader;

    Glyph* glyph_slot(std::uint16_t code);

    std::array<std::unique_ptr<std::array<Glyph, kPageSize>>, kPageCount> pages_;
    std::vector<KerningPair> kernings_;
};

// Reads the text form of a BMFont file into table, replacing what it held; logs the reason and
// returns false when the file is malformed. The glyphs read before a failure stay in the table.
bool read_bmfont_text(std::string_view text, GlyphTable& table);

// A bitmap font from "g_font_defs": a BMFont text file and its one page texture, named like the
// file with "png" in place of its last three characters. Every live font is in the registry's
// font list.
class Font : public EngineObject {
public:
    static ClassDescriptor class_descriptor;

    Font();
    ~Font() override;
    const ClassDescriptor& descriptor() const override { return class_descriptor; }

    // Loads from the def; on failure logs why and "Unable to load font '...'.".
    bool load() override;

    const GlyphTable& glyphs() const { return glyphs_; }
    Texture* texture() const { return texture_.get(); }

    Font* prev() const { return prev_; }
    Font* next() const { return next_; }

private:
    friend struct FontListLinks;

    GlyphTable glyphs_;
    ObjectRef<Texture> texture_;
    Font* prev_ = nullptr;
    Font* next_ = nullptr;
};

// The first font of the registry's list (iterate with next()).
Font* first_font();

}  // namespace tarn
