#pragma once

#include <cstdint>

#include "render/text_layout.hpp"
#include "resources/font.hpp"

namespace tarn {

// Lays out count UTF-16 code units of text in the font of glyphs: one quad per visible glyph,
// lines broken at line feeds and, when wrap_width is 0 or more, before a word that would end past
// it; lines aligned within the wrap width (or the widest line); "^" and a digit switch to that
// text colour of the engine's table. Sizes and positions are multiplied by scale. Replaces what
// layout held; its quads are reserved once, for count quads.
void build_text_layout(TextLayout& layout, const GlyphTable& glyphs, const std::uint16_t* text,
                       int count, float wrap_width, TextAlign align, float scale);

}  // namespace tarn
