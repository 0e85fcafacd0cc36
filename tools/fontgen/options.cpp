#include "tools/fontgen/options.hpp"

#include <algorithm>
#include <charconv>
#include <functional>
#include <utility>

namespace tarn::fontgen {
namespace {

constexpr int kMaxCode = 65535;

bool parse_int(std::string_view text, int low, int high, int& value) {
    int base = 10;
    if (text.size() > 2 && (text.starts_with("0x") || text.starts_with("0X"))) {
        text.remove_prefix(2);
        base = 16;
    }
    const char* end = text.data() + text.size();
    const auto [stop, status] = std::from_chars(text.data(), end, value, base);
    return status == std::errc() && stop == end && !text.empty() && value >= low && value <= high;
}

bool is_power_of_two(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

bool parse_range(std::string_view item, std::vector<std::uint16_t>& codes, std::string& error) {
    const std::size_t dash = item.find('-', 1);
    const std::string_view first_text = item.substr(0, dash);
    const std::string_view last_text = dash == item.npos ? first_text : item.substr(dash + 1);
    int first = 0, last = 0;
    if (!parse_int(first_text, 0, kMaxCode, first) || !parse_int(last_text, 0, kMaxCode, last)) {
        error = "--chars: " + quoted(item) + " is not a code or a range of codes from 0 to 65535";
        return false;
    }
    if (first > last) {
        error = "--chars: " + quoted(item) + " runs backwards";
        return false;
    }
    for (int code = first; code <= last; ++code)
        codes.push_back(static_cast<std::uint16_t>(code));
    return true;
}

bool parse_page_size(std::string_view text, Options& options, std::string& error) {
    if (text == "auto") {
        options.page_width = options.page_height = 0;
        return true;
    }
    const std::size_t x = text.find('x');
    int width = 0, height = 0;
    if (x == text.npos || !parse_int(text.substr(0, x), 1, kMaxPageSide, width) ||
        !parse_int(text.substr(x + 1), 1, kMaxPageSide, height) || !is_power_of_two(width) ||
        !is_power_of_two(height)) {
        error =
            "--page-size must be 'auto' or WxH with powers of two up to 2048, not " + quoted(text);
        return false;
    }
    options.page_width = width;
    options.page_height = height;
    return true;
}

// Reads a whole number option value into target, or explains the allowed range.
std::function<bool(std::string_view, std::string&)> number_into(const char* name, int low, int high,
                                                                int& target) {
    return [name, low, high, &target](std::string_view value, std::string& error) {
        if (parse_int(value, low, high, target))
            return true;
        error = std::string(name) + " must be a whole number from " + std::to_string(low) + " to " +
                std::to_string(high) + ", not " + quoted(value);
        return false;
    };
}

bool check_required(const Options& options, std::string& error) {
    if (options.font_path.empty())
        error = "--font is missing";
    else if (options.pixel_size == 0)
        error = "--size is missing";
    else if (options.out_path.empty())
        error = "--out is missing";
    else if (options.out_path.size() <= 4 || !options.out_path.ends_with(".fnt"))
        error = "--out must name a .fnt file, not " + quoted(options.out_path);
    return error.empty();
}

}  // namespace

bool parse_code_ranges(std::string_view text, std::vector<std::uint16_t>& codes,
                       std::string& error) {
    codes.clear();
    while (true) {
        const std::size_t comma = text.find(',');
        if (!parse_range(text.substr(0, comma), codes, error))
            return false;
        if (comma == text.npos)
            break;
        text.remove_prefix(comma + 1);
    }
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    return true;
}

bool parse_options(const std::vector<std::string_view>& args, Options& options,
                   std::string& error) {
    options = Options{};
    parse_code_ranges("32-126", options.codes, error);
    const std::pair<std::string_view, std::function<bool(std::string_view, std::string&)>>
        handlers[] = {
            {"--font",
             [&](std::string_view value, std::string&) {
                 options.font_path = value;
                 return true;
             }},
            {"--out",
             [&](std::string_view value, std::string&) {
                 options.out_path = value;
                 return true;
             }},
            {"--size", number_into("--size", 1, kMaxPixelSize, options.pixel_size)},
            {"--padding", number_into("--padding", 0, kMaxPadding, options.padding)},
            {"--spacing", number_into("--spacing", 0, kMaxPadding, options.spacing)},
            {"--chars",
             [&](std::string_view value, std::string& why) {
                 return parse_code_ranges(value, options.codes, why);
             }},
            {"--page-size", [&](std::string_view value,
                                std::string& why) { return parse_page_size(value, options, why); }},
        };
    for (std::size_t i = 0; i < args.size(); i += 2) {
        const auto handler = std::find_if(std::begin(handlers), std::end(handlers),
                                          [&](const auto& h) { return h.first == args[i]; });
        if (handler == std::end(handlers)) {
            error = "unknown argument " + quoted(args[i]) + " (see --help)";
            return false;
        }
        if (i + 1 == args.size()) {
            error = std::string(args[i]) + " needs a value";
            return false;
        }
        if (!handler->second(args[i + 1], error))
            return false;
    }
    return check_required(options, error);
}

const char* usage() {
    return "usage: tarn_fontgen --font FILE.ttf --size PIXELS --out NAME.fnt [options]\n"
           "Rasterises a TrueType or OpenType font into a bitmap font: NAME.fnt (BMFont text)\n"
           "and its one page NAME.png (white glyphs, coverage in alpha).\n"
           "  --chars RANGES     codes to include, e.g. 32-126,160-255,0x2026 (default 32-126)\n"
           "  --padding N        transparent border inside each glyph rectangle (default 0)\n"
           "  --spacing N        gap between glyph rectangles on the page (default 1)\n"
           "  --page-size WxH    fixed page size in powers of two, or auto (default auto)\n";
}

}  // namespace tarn::fontgen
