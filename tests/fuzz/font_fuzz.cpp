// Font files as the font loader reads them, and texts laid out in what was read. The input is
// read as a font file; then the same bytes, taken as UTF-16 code units, are laid out in the
// glyphs read (a failed read keeps the glyphs read before the failure, so those are laid out
// too), with a wrap width and an alignment picked by the input's length.
#include <cmath>
#include <string_view>

#include "app/singletons.hpp"
#include "fuzz/fuzz_support.hpp"
#include "resources/font.hpp"
#include "resources/text_layout_builder.hpp"

namespace tarn::fuzz {
namespace {

// Every glyph that starts a block of kerning pairs points at a pair of its own code.
void check_pair_blocks(const GlyphTable& table) {
    const auto& pairs = table.kernings();
    for (int code = 0; code <= 0xFFFF; code += GlyphTable::kPageSize) {
        if (table.find_glyph(static_cast<std::uint16_t>(code)) == nullptr)
            continue;
        for (int c = code; c < code + GlyphTable::kPageSize; ++c) {
            const int first = table.glyph_for(static_cast<std::uint16_t>(c)).first_kerning;
            require(first == -1 || (first >= 0 && static_cast<std::size_t>(first) < pairs.size() &&
                                    pairs[first].first == c),
                    "a glyph's first pair is one of its own");
        }
    }
}

void check_layout(const GlyphTable& table, const std::uint8_t* data, std::size_t size) {
    const auto* text = reinterpret_cast<const std::uint16_t*>(data);
    const int count = static_cast<int>(size / 2);
    const float wrap = size % 3 == 0 ? -1.0f : static_cast<float>(size % 200);
    TextLayout layout;
    build_text_layout(layout, table, text, count, wrap, static_cast<TextAlign>(size % 3), 1.0f);
    require(layout.quads.size() <= static_cast<std::size_t>(count),
            "no more quads than code units");
    require(layout.box_height == layout.extent_height, "box and extent are equally tall");
    require(!std::isnan(table.measure(text, 0, count)), "a width is a number");
}

}  // namespace
}  // namespace tarn::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tarn::fuzz::set_up_engine_log();
    tarn::create_singletons();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarn;
    GlyphTable table;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const bool read = read_bmfont_text(text, table);
    if (read) {
        fuzz::require(table.scale_w >= 1 && table.scale_h >= 1, "a font's page has a size");
        fuzz::check_pair_blocks(table);
    }
    const std::size_t pairs = table.kernings().size();
    fuzz::require(read_bmfont_text(text, table) == read && table.kernings().size() == pairs,
                  "reading again into the used table reads the same");
    fuzz::check_layout(table, data, size);
    return 0;
}
