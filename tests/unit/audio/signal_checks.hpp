#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

// Measures of interleaved stereo 16-bit output, read on its left channel.
namespace tarn::test {

// Where the sound is: the first and one past the last frame that is not silent.
struct Sounding {
    std::size_t first = 0;
    std::size_t end = 0;

    std::size_t frames() const { return end - first; }
};

inline Sounding sounding(std::span<const std::int16_t> stereo) {
    Sounding found;
    const std::size_t frames = stereo.size() / 2;
    while (found.first < frames && stereo[2 * found.first] == 0)
        ++found.first;
    found.end = frames;
    while (found.end > found.first && stereo[2 * (found.end - 1)] == 0)
        --found.end;
    return found;
}

// Sign changes of the left channel, ignoring exact zeros.
inline int zero_crossings(std::span<const std::int16_t> stereo) {
    int crossings = 0;
    int last_sign = 0;
    for (std::size_t i = 0; i < stereo.size(); i += 2) {
        const int sign = (stereo[i] > 0) - (stereo[i] < 0);
        if (sign != 0 && last_sign != 0 && sign != last_sign)
            ++crossings;
        if (sign != 0)
            last_sign = sign;
    }
    return crossings;
}

inline int peak(std::span<const std::int16_t> stereo) {
    int largest = 0;
    for (const std::int16_t sample : stereo)
        largest = std::max(largest, std::abs(int{sample}));
    return largest;
}

}  // namespace tarn::test
