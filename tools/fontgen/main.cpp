// Makes a bitmap font for the engine from a TrueType or OpenType font; see usage().
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "tools/fontgen/fontgen.hpp"
#include "tools/fontgen/options.hpp"

int main(int argc, char** argv) {
    using namespace tarn::fontgen;
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::fputs(usage(), args.empty() ? stderr : stdout);
        return args.empty() ? 2 : 0;
    }
    Options options;
    std::string error;
    if (!parse_options(args, options, error)) {
        std::fprintf(stderr, "tarn_fontgen: %s\n", error.c_str());
        return 2;
    }
    std::vector<std::string> warnings;
    const bool ok = generate_font(options, warnings, error);
    for (const std::string& warning : warnings)
        std::fprintf(stderr, "tarn_fontgen: warning: %s\n", warning.c_str());
    if (!ok) {
        std::fprintf(stderr, "tarn_fontgen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
