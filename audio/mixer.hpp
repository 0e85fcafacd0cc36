#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "audio/mixer_voice.hpp"

namespace tarn {

// Adds the playing voices into the output, saturating at the limits of 16 bits. The main thread
// adds, removes and changes voices under the lock, briefly and without allocating or decoding;
// the device's thread renders under the same lock.
class Mixer {
public:
    // The lock for changing voices that are in the mix.
    [[nodiscard]] std::unique_lock<std::mutex> lock() { return std::unique_lock(mutex_); }

    // Main thread. The voice stays the caller's; it must stay alive until removed.
    void add(MixerVoice& voice);
    void remove(MixerVoice& voice);
    // Whether a voice has finished since the last call.
    bool take_finished() { return finished_.exchange(false, std::memory_order_acquire); }

    // Device thread: fills `frames` interleaved stereo frames.
    void render(std::int16_t* out, int frames);

private:
    static constexpr int kBlockFrames = 256;

    void render_block(std::int16_t* out, int frames);
    // Makes room for one more voice; the list is reallocated outside the lock.
    void reserve_one();

    std::mutex mutex_;
    std::vector<MixerVoice*> voices_;  // changed by the main thread only, under the lock
    std::array<float, 2 * kBlockFrames> block_{};
    std::atomic<bool> finished_{false};
};

}  // namespace tarn
