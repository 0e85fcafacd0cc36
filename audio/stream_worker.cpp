#include "audio/stream_worker.hpp"

#include <chrono>

namespace tarn {

namespace {

// Frames decoded into one feed before the next feed has its turn.
constexpr std::size_t kSliceFrames = 4096;
// How often full feeds are looked at again: well under their half second of frames.
constexpr std::chrono::milliseconds kPollPeriod(5);

}  // namespace

StreamWorker::StreamWorker() : thread_(&StreamWorker::run, this) {}

StreamWorker::~StreamWorker() {
    {
        std::lock_guard guard(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void StreamWorker::add(std::shared_ptr<StreamFeed> feed) {
    {
        std::lock_guard guard(mutex_);
        added_.push_back(std::move(feed));
    }
    wake_.notify_one();
}

void StreamWorker::run() {
    bool busy = false;
    while (take_added(busy))
        busy = fill_feeds();
}

bool StreamWorker::take_added(bool busy) {
    std::unique_lock lock(mutex_);
    const auto woken = [this] { return stopping_ || !added_.empty(); };
    if (feeds_.empty())
        wake_.wait(lock, woken);
    else if (!busy)
        wake_.wait_for(lock, kPollPeriod, woken);
    feeds_.insert(feeds_.end(), added_.begin(), added_.end());
    added_.clear();
    return !stopping_;
}

bool StreamWorker::fill_feeds() {
    std::erase_if(feeds_,
                  [](const std::shared_ptr<StreamFeed>& feed) { return feed->cancelled(); });
    bool decoded = false;
    for (const std::shared_ptr<StreamFeed>& feed : feeds_)
        decoded = feed->fill(kSliceFrames) > 0 || decoded;
    return decoded;
}

}  // namespace tarn
