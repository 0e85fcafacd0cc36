#pragma once

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tarn {

// Decoded frames handed from one writing thread to one reading thread without a lock. Each
// side sees the other's frames once they are published (commit and consume).
class PcmRing {
public:
    // Room for at least min_frames frames of `channels` samples.
    PcmRing(int channels, std::size_t min_frames)
        : channels_(static_cast<std::size_t>(channels)),
          capacity_(std::bit_ceil(std::max<std::size_t>(min_frames, 1))),
          samples_(capacity_ * channels_) {}

    std::size_t bytes() const { return samples_.size() * sizeof(std::int16_t); }

    // Writer: the free space up to the end of the storage, then publishing what was written.
    std::span<std::int16_t> writable() {
        const std::uint64_t written = written_.load(std::memory_order_relaxed);
        const std::size_t used =
            static_cast<std::size_t>(written - read_.load(std::memory_order_acquire));
        return std::span(samples_).subspan(offset(written), contiguous(written, capacity_ - used));
    }
    void commit(std::size_t frames) {
        written_.store(written_.load(std::memory_order_relaxed) + frames,
                       std::memory_order_release);
    }

    // Reader: the published frames up to the end of the storage, then releasing those read.
    std::span<const std::int16_t> readable() const {
        const std::uint64_t read = read_.load(std::memory_order_relaxed);
        const std::size_t ready =
            static_cast<std::size_t>(written_.load(std::memory_order_acquire) - read);
        return std::span(samples_).subspan(offset(read), contiguous(read, ready));
    }
    void consume(std::size_t frames) {
        read_.store(read_.load(std::memory_order_relaxed) + frames, std::memory_order_release);
    }

private:
    std::size_t offset(std::uint64_t position) const {
        return static_cast<std::size_t>(position & (capacity_ - 1)) * channels_;
    }
    // Samples of up to `frames` frames from `position`, stopping at the end of the storage.
    std::size_t contiguous(std::uint64_t position, std::size_t frames) const {
        const std::size_t to_end = capacity_ - static_cast<std::size_t>(position & (capacity_ - 1));
        return std::min(frames, to_end) * channels_;
    }

    std::size_t channels_;
    std::size_t capacity_;  // frames, a power of two
    std::vector<std::int16_t> samples_;
    std::atomic<std::uint64_t> written_{0};  // frames ever published by the writer
    std::atomic<std::uint64_t> read_{0};     // frames ever released by the reader
};

}  // namespace tarn
