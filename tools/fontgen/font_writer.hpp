#pragma once

#include <string>
#include <string_view>

#include "tools/fontgen/bitmap_font.hpp"

namespace tarn::fontgen {

// The BMFont text description of font, naming page_file as its one page.
std::string bmfont_text(const BitmapFont& font, std::string_view page_file);

// Writes the page next to fnt_path (see page_path_for) and then the description; false with a
// one-line reason in error.
bool write_font(const BitmapFont& font, const std::string& fnt_path, std::string& error);

}  // namespace tarn::fontgen
