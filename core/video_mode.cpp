#include "core/video_mode.hpp"

#include <cstdlib>

#include "core/text.hpp"

namespace tarn {

VideoMode parse_video_mode(const SharedString& text) {
    const auto tokens = split(text, " ");
    VideoMode mode;
    if (tokens.size() > 0)
        mode.width = static_cast<int>(std::strtol(tokens[0].data(), nullptr, 10));
    if (tokens.size() > 1)
        mode.height = static_cast<int>(std::strtol(tokens[1].data(), nullptr, 10));
    if (tokens.size() > 2)
        mode.fullscreen = std::strtol(tokens[2].data(), nullptr, 10) != 0;
    return mode;
}

int valid_orientation(int orientation) {
    return orientation >= 0 && orientation <= 3 ? orientation : 0;
}

bool swaps_axes(int orientation) {
    return orientation == 2 || orientation == 3;
}

}  // namespace tarn
