#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarn {

// Decoded sound: interleaved signed 16-bit samples, one or two channels.
struct PcmFormat {
    int rate = 0;  // frames per second
    int channels = 0;

    static constexpr int kMaxRate = 384000;
    static constexpr int kMaxChannels = 2;

    bool supported() const {
        return rate >= 1 && rate <= kMaxRate && channels >= 1 && channels <= kMaxChannels;
    }
};

// A whole decoded sound, as a sample keeps it in memory.
struct PcmBuffer {
    PcmFormat format;
    std::vector<std::int16_t> samples;

    std::size_t frames() const {
        return format.channels > 0 ? samples.size() / static_cast<std::size_t>(format.channels) : 0;
    }
};

}  // namespace tarn
