#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarn::fontgen {

// The largest texture side the engine loads; a page must fit in it.
inline constexpr int kMaxPageSide = 2048;
inline constexpr int kMaxPixelSize = 512;
inline constexpr int kMaxPadding = 64;

struct Options {
    std::string font_path;
    int pixel_size = 0;
    std::vector<std::uint16_t> codes;  // ascending, each once
    int padding = 0;                   // transparent border inside each glyph's rectangle
    int spacing = 1;                   // gap between glyph rectangles on the page
    int page_width = 0;                // 0: the page grows to fit
    int page_height = 0;
    std::string out_path;  // the .fnt file; the page is the same path ending in "png"
};

// Reads the command line without the program name. On failure returns false with a one-line
// reason in error.
bool parse_options(const std::vector<std::string_view>& args, Options& options, std::string& error);

// The codes of a list such as "32-126,160-255,0x2026": ascending, each once.
bool parse_code_ranges(std::string_view text, std::vector<std::uint16_t>& codes,
                       std::string& error);

const char* usage();

}  // namespace tarn::fontgen
