#pragma once

#include <filesystem>
#include <string>

#include "support/temp_dir.hpp"

namespace tarn::test {

// A temporary game folder holding the generated test font as data/fonts/sans32.fnt and .png,
// and the working directory while it lives (fonts and images load through data/).
class FontGameDir {
public:
    FontGameDir() : previous_(std::filesystem::current_path()) {
        std::filesystem::create_directories(dir_.path() / "data/fonts");
        for (const char* file : {"sans32.fnt", "sans32.png"})
            std::filesystem::copy_file(std::string(TARN_TEST_FONT_DIR) + "/" + file,
                                       dir_ / ("data/fonts/" + std::string(file)));
        std::filesystem::current_path(dir_.path());
    }
    ~FontGameDir() { std::filesystem::current_path(previous_); }
    FontGameDir(const FontGameDir&) = delete;
    FontGameDir& operator=(const FontGameDir&) = delete;

private:
    std::filesystem::path previous_;
    TempDir dir_;
};

}  // namespace tarn::test
