#include "resources/font.hpp"

namespace tarn {

namespace {

// What codes without a glyph page get: absent, no kerning.
constexpr Glyph kMissingGlyph{};

}  // namespace

const Glyph* GlyphTable::find_glyph(std::uint16_t code) const {
    const auto& page = pages_[code / kPageSize];
    return page ? &(*page)[code % kPageSize] : nullptr;
}

const Glyph& GlyphTable::glyph_for(std::uint16_t code) const {
    const Glyph* glyph = find_glyph(code);
    return glyph != nullptr ? *glyph : kMissingGlyph;
}

Glyph* GlyphTable::glyph_slot(std::uint16_t code) {
    auto& page = pages_[code / kPageSize];
    if (!page)
        page = std::make_unique<std::array<Glyph, kPageSize>>();
    return &(*page)[code % kPageSize];
}

int GlyphTable::kerning(const Glyph& glyph, std::uint16_t code, std::uint16_t next) const {
    const int count = static_cast<int>(kernings_.size());
    for (int i = glyph.first_kerning; i >= 0 && i < count && kernings_[i].first == code; ++i) {
        if (kernings_[i].second == next)
            return kernings_[i].amount;
    }
    return 0;
}

float GlyphTable::measure(const std::uint16_t* codes, int start, int count) const {
    if (codes == nullptr)
        return 0.0f;
    float width = 0.0f;
    const int end = start + count;
    for (int i = start; i < end; ++i) {
        const Glyph& glyph = glyph_for(codes[i]);
        if (!glyph.present()) {
            width += missing_advance;
            continue;
        }
        width += glyph.xadvance;
        if (i + 1 < end)
            width += static_cast<float>(kerning(glyph, codes[i], codes[i + 1]));
    }
    return width;
}

}  // namespace tarn
