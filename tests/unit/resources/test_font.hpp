#pragma once

#include <gtest/gtest.h>

#include <string>

#include "resources/font.hpp"

namespace tarn::test {

// The text of a font file: the common line, then one char line per glyph given.
struct FontText {
    std::string text = "common lineHeight=20 base=16 scaleW=256 scaleH=128 pages=1\n";

    FontText& glyph(int id, int x, int y, int width, int height, int xoffset, int yoffset,
                    int xadvance) {
        text += "char id=" + std::to_string(id) + " x=" + std::to_string(x) +
                " y=" + std::to_string(y) + " width=" + std::to_string(width) +
                " height=" + std::to_string(height) + " xoffset=" + std::to_string(xoffset) +
                " yoffset=" + std::to_string(yoffset) + " xadvance=" + std::to_string(xadvance) +
                " page=0 chnl=15\n";
        return *this;
    }
    FontText& line(const std::string& line) {
        text += line + "\n";
        return *this;
    }
};

// A small font with easy sums: line height 20 on a 256 x 128 page; space advances 5; a, b, c, d
// are 8 x 12 at (1, 3), advance 10, at x 0, 10, 20, 30 and y 20 of the page; "w" advances 19;
// "^" advances 6; the pairs (a, b) and (a, space) kern by -2 and -3.
inline std::string layout_font_text() {
    FontText font;
    font.glyph(' ', 0, 0, 0, 0, 0, 0, 5);
    for (int i = 0; i < 4; ++i)
        font.glyph('a' + i, 10 * i, 20, 8, 12, 1, 3, 10);
    font.glyph('w', 40, 20, 17, 12, 1, 3, 19).glyph('^', 60, 20, 4, 5, 1, 0, 6);
    return font.line("kernings count=2")
        .line("kerning first=97 second=98 amount=-2")
        .line("kerning first=97 second=32 amount=-3")
        .text;
}

inline GlyphTable read_font(const std::string& text) {
    GlyphTable table;
    EXPECT_TRUE(read_bmfont_text(text, table)) << text;
    return table;
}

}  // namespace tarn::test
