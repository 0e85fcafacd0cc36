#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/fontgen/bitmap_font.hpp"
#include "tools/fontgen/options.hpp"

namespace tarn::fontgen {

// Rasterises options.codes from the font file and packs them into one page. Codes the font
// lacks are skipped with a line in warnings, except the space, which the engine measures
// missing characters with. None, with a one-line reason in error, on failure.
std::optional<BitmapFont> build_font(const Options& options, std::vector<std::string>& warnings,
                                     std::string& error);

}  // namespace tarn::fontgen
