// Measures the cost of laying out text per code unit: build_text_layout over a paragraph of
// English prose (with two colour codes and a line feed) in a font of the printable ASCII glyphs
// with a kerning pair for every capital before every small letter, the way a UI label or a scene
// text lays it out. The same layout record is reused, as its owners reuse theirs. Needs no
// display.
//
//   bench_text_layout [THOUSANDS_OF_LAYOUTS]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/singletons.hpp"
#include "resources/font.hpp"
#include "resources/text_layout_builder.hpp"

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kParagraph[] =
    "The ^1quick brown fox^0 jumps over the lazy dog. Vast Waves of Typography avoid the "
    "awkward gaps between capitals and the letters that follow them, which is why fonts carry "
    "kerning pairs. A label wraps its words at its width; a long Sentence flows onto the next "
    "line, and each line is centred within the box.\nYesterday, Tom Anderson wrote: \"Layout "
    "happens once, drawing happens every frame.\" Very True. Paragraphs like this one are "
    "typical of dialogue boxes, tutorials and credits in small games.";

// Printable ASCII with advances of 6 to 13 pixels on a 512 x 256 page; capitals kern with
// every small letter (pairs grouped by first code, as the reader requires).
std::string font_text() {
    std::string text = "common lineHeight=24 base=19 scaleW=512 scaleH=256 pages=1\n";
    for (int c = 32; c < 127; ++c) {
        const int advance = 6 + c % 8;
        text += "char id=" + std::to_string(c) + " x=" + std::to_string(c % 32 * 16) +
                " y=" + std::to_string(c / 32 * 24) + " width=" + std::to_string(advance - 1) +
                " height=20 xoffset=0 yoffset=2 xadvance=" + std::to_string(advance) + "\n";
    }
    text += "kernings count=" + std::to_string(26 * 26) + "\n";
    for (int first = 'A'; first <= 'Z'; ++first) {
        for (int second = 'a'; second <= 'z'; ++second) {
            text += "kerning first=" + std::to_string(first) + " second=" + std::to_string(second) +
                    " amount=" + std::to_string(-(first + second) % 3) + "\n";
        }
    }
    return text;
}

double ns_per_unit(const tarn::GlyphTable& glyphs, const std::u16string& text, long layouts,
                   float wrap, tarn::TextAlign align) {
    tarn::TextLayout layout;
    const auto* units = reinterpret_cast<const std::uint16_t*>(text.data());
    const int count = static_cast<int>(text.size());
    tarn::build_text_layout(layout, glyphs, units, count, wrap, align, 1.0f);  // warm-up
    const auto start = Clock::now();
    for (long i = 0; i < layouts; ++i)
        tarn::build_text_layout(layout, glyphs, units, count, wrap, align, 1.0f);
    const std::chrono::duration<double, std::nano> spent = Clock::now() - start;
    return spent.count() / (static_cast<double>(layouts) * count);
}

}  // namespace

int main(int argc, char** argv) {
    const long thousands = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 20;
    const long layouts = (thousands > 0 ? thousands : 20) * 1000L;
    tarn::create_singletons();
    tarn::GlyphTable glyphs;
    if (!tarn::read_bmfont_text(font_text(), glyphs)) {
        std::fprintf(stderr, "The benchmark font does not read.\n");
        return 1;
    }
    const std::u16string text(kParagraph, kParagraph + sizeof kParagraph - 1);
    std::printf(
        "%ld layouts of %zu code units: %.2f ns per unit wrapped at 320 and centred, "
        "%.2f ns unwrapped and left-aligned\n",
        layouts, text.size(), ns_per_unit(glyphs, text, layouts, 320.0f, tarn::kTextAlignCenter),
        ns_per_unit(glyphs, text, layouts, -1.0f, tarn::kTextAlignLeft));
    return 0;
}
