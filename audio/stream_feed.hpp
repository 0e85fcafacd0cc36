#pragma once

#include <atomic>
#include <cstddef>
#include <memory>

#include "audio/audio_decoder.hpp"
#include "audio/pcm_ring.hpp"

namespace tarn {

// One stream's decoder and the decoded frames waiting to be mixed: the stream worker decodes
// ahead into the ring, the mixer reads from it, and the main thread sets looping and cancels it.
class StreamFeed {
public:
    // Holds about half a second of frames decoded ahead.
    explicit StreamFeed(std::unique_ptr<AudioDecoder> decoder);

    const PcmFormat& format() const { return decoder_->format(); }
    std::size_t buffer_bytes() const { return ring_.bytes(); }

    // Worker: decodes up to max_frames frames into the free space; returns how many. At the end
    // of the file it starts again when looping, else it marks the feed ended.
    std::size_t fill(std::size_t max_frames);

    // Mixer: the decoded frames, and whether no more will come after those in the ring.
    PcmRing& ring() { return ring_; }
    bool ended() const { return ended_.load(std::memory_order_acquire); }

    // Main thread.
    void set_looping(bool loop) { looping_.store(loop, std::memory_order_relaxed); }
    bool looping() const { return looping_.load(std::memory_order_relaxed); }
    // The stream is over: the worker drops the feed.
    void cancel() { cancelled_.store(true, std::memory_order_relaxed); }
    bool cancelled() const { return cancelled_.load(std::memory_order_relaxed); }

private:
    // At the end of the file: true when decoding goes on from the start.
    bool loop_back();

    std::unique_ptr<AudioDecoder> decoder_;
    PcmRing ring_;
    std::atomic<bool> looping_{false};
    std::atomic<bool> ended_{false};
    std::atomic<bool> cancelled_{false};
    bool decoded_since_start_ = false;  // worker only: an empty file never loops
};

}  // namespace tarn
