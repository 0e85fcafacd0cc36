// Measures tarn_fontgen making a 95-glyph ASCII font at 32 pixels from DejaVu Sans: rasterising,
// packing and kerning (build) and writing the page and the description (write), through the
// generator's own code. Prints the median and the best of the runs.
//
//   bench_fontgen [RUNS] [FONT.ttf]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "tools/fontgen/font_builder.hpp"
#include "tools/fontgen/font_writer.hpp"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;
using namespace tarn::fontgen;

double ms_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Timings {
    std::vector<double> build, write, total;
};

void print(const char* what, std::vector<double>& ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-6s median %7.2f ms, best %7.2f ms\n", what, ms[ms.size() / 2], ms.front());
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const fs::path dir =
        fs::temp_directory_path() / ("tarn-bench-fontgen-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::vector<std::string_view> args = {"--font",    argc > 2 ? argv[2] : TARN_DEJAVU_SANS,
                                          "--size",    "32",
                                          "--chars",   "32-126",
                                          "--padding", "1",
                                          "--out"};
    const std::string out = (dir / "sans32.fnt").string();
    args.push_back(out);
    Options options;
    std::string error;
    std::vector<std::string> warnings;
    Timings t;
    bool ok = parse_options(args, options, error);
    for (int run = 0; ok && run < runs; ++run) {
        const auto start = Clock::now();
        const std::optional<BitmapFont> font = build_font(options, warnings, error);
        t.build.push_back(ms_since(start));
        const auto written = Clock::now();
        ok = font && write_font(*font, out, error);
        t.write.push_back(ms_since(written));
        t.total.push_back(ms_since(start));
        if (ok && run == 0) {
            std::printf("%zu glyphs, %zu kerning pairs, %dx%d page\n", font->chars.size(),
                        font->kernings.size(), font->page_width, font->page_height);
        }
    }
    fs::remove_all(dir);
    if (!ok) {
        std::fprintf(stderr, "bench_fontgen: %s\n", error.c_str());
        return 1;
    }
    print("build", t.build);
    print("write", t.write);
    print("total", t.total);
    return 0;
}
