#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarn::fontgen {

// One glyph's rectangle on the page (padding included) and its placement, in pixels: xoffset
// from the pen, yoffset from the line top.
struct FontChar {
    std::uint16_t code = 0;
    int x = 0, y = 0;
    int width = 0, height = 0;
    int xoffset = 0, yoffset = 0;
    int xadvance = 0;
};

struct FontKerning {
    std::uint16_t first = 0;
    std::uint16_t second = 0;
    int amount = 0;
};

// A rasterised font with its one page, ready to be written.
struct BitmapFont {
    std::string face_name;
    bool bold = false;
    bool italic = false;
    int pixel_size = 0;
    int padding = 0;
    int spacing = 0;
    int line_height = 0;
    int base = 0;  // line top to baseline
    int page_width = 0;
    int page_height = 0;
    std::vector<std::uint8_t> page;     // coverage, page_width x page_height, rows top down
    std::vector<FontChar> chars;        // ascending codes
    std::vector<FontKerning> kernings;  // non-zero pairs, ascending by first, then second
};

// The page of a font file: its path with the last three characters replaced by "png", as the
// engine looks it up.
inline std::string page_path_for(const std::string& fnt_path) {
    return fnt_path.size() > 3 ? fnt_path.substr(0, fnt_path.size() - 3) + "png" : fnt_path;
}

}  // namespace tarn::fontgen
