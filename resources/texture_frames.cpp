#include "resources/texture_frames.hpp"

#include <cmath>

namespace tarn {

namespace {

bool append_grid(std::int64_t columns, std::int64_t rows, float frame_width, float frame_height,
                 std::vector<ImageFrame>& out) {
    if (columns <= 0 || rows <= 0)
        return true;
    if (columns > kMaxTextureFrames || rows > kMaxTextureFrames ||
        columns * rows > kMaxTextureFrames)
        return false;
    for (std::int64_t i = 0; i < columns * rows; ++i) {
        const auto column = static_cast<float>(i % columns);
        const auto row = static_cast<float>(i / columns);
        out.push_back({column * frame_width, row * frame_height, frame_width, frame_height});
    }
    return true;
}

// floor(a / b) for a positive b, saturated so that absurd inputs stay countable.
std::int64_t whole_fits(double a, double b) {
    const double count = std::floor(a / b);
    if (!(count >= 0.0))
        return 0;
    return count > 1e12 ? std::int64_t{1000000000000} : static_cast<std::int64_t>(count);
}

}  // namespace

bool frames_by_size(std::int32_t image_width, std::int32_t image_height, float frame_width,
                    float frame_height, std::vector<ImageFrame>& out) {
    if (!(frame_width > 0.0f) || !(frame_height > 0.0f))
        return true;
    return append_grid(whole_fits(image_width, frame_width), whole_fits(image_height, frame_height),
                       frame_width, frame_height, out);
}

bool frames_by_grid(std::int32_t image_width, std::int32_t image_height, std::int64_t columns,
                    std::int64_t rows, std::vector<ImageFrame>& out) {
    if (columns <= 0 || rows <= 0)
        return true;
    if (columns > kMaxTextureFrames || rows > kMaxTextureFrames)
        return false;
    return append_grid(columns, rows, static_cast<float>(image_width) / columns,
                       static_cast<float>(image_height) / rows, out);
}

}  // namespace tarn
