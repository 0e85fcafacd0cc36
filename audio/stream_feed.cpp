#include "audio/stream_feed.hpp"

#include <algorithm>

namespace tarn {

StreamFeed::StreamFeed(std::unique_ptr<AudioDecoder> decoder)
    : decoder_(std::move(decoder)),
      ring_(decoder_->format().channels, static_cast<std::size_t>(decoder_->format().rate) / 2) {}

std::size_t StreamFeed::fill(std::size_t max_frames) {
    if (ended() && !loop_back())
        return 0;
    const std::size_t channels = static_cast<std::size_t>(format().channels);
    std::size_t total = 0;
    while (total < max_frames) {
        const std::span<std::int16_t> space = ring_.writable();
        if (space.empty())
            break;
        const std::size_t frames =
            decoder_->read(space.first(std::min(space.size(), (max_frames - total) * channels)));
        if (frames > 0) {
            ring_.commit(frames);
            total += frames;
            decoded_since_start_ = true;
        } else if (!loop_back()) {
            ended_.store(true, std::memory_order_release);
            break;
        }
    }
    return total;
}

bool StreamFeed::loop_back() {
    if (!looping() || !decoded_since_start_ || !decoder_->rewind())
        return false;
    decoded_since_start_ = false;
    ended_.store(false, std::memory_order_release);
    return true;
}

}  // namespace tarn
