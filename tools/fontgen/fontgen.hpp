#pragma once

#include <string>
#include <vector>

#include "tools/fontgen/options.hpp"

namespace tarn::fontgen {

// Builds the font that options describe and writes its .fnt file and page. Skipped codes are
// listed in warnings; false with a one-line reason in error on failure.
bool generate_font(const Options& options, std::vector<std::string>& warnings, std::string& error);

}  // namespace tarn::fontgen
