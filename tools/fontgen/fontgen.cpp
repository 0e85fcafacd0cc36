#include "tools/fontgen/fontgen.hpp"

#include "tools/fontgen/font_builder.hpp"
#include "tools/fontgen/font_writer.hpp"

namespace tarn::fontgen {

bool generate_font(const Options& options, std::vector<std::string>& warnings, std::string& error) {
    const std::optional<BitmapFont> font = build_font(options, warnings, error);
    return font && write_font(*font, options.out_path, error);
}

}  // namespace tarn::fontgen
