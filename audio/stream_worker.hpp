#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "audio/stream_feed.hpp"

namespace tarn {

// The thread that decodes every open stream ahead of the mixer, a slice of each in turn, and
// drops the streams that were cancelled. No lock is held while it decodes.
class StreamWorker {
public:
    StreamWorker();
    // Stops the thread; the feeds it still holds are released.
    ~StreamWorker();
    StreamWorker(const StreamWorker&) = delete;
    StreamWorker& operator=(const StreamWorker&) = delete;

    // Starts decoding the feed at once; the worker keeps it until it is cancelled.
    void add(std::shared_ptr<StreamFeed> feed);

private:
    void run();
    // Takes the added feeds; waits first (up to a poll period while feeds are open) unless the
    // last round decoded something. False when the worker is to stop.
    bool take_added(bool busy);
    // Decodes a slice of every feed; true when any frame was decoded.
    bool fill_feeds();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<std::shared_ptr<StreamFeed>> added_;
    bool stopping_ = false;
    std::vector<std::shared_ptr<StreamFeed>> feeds_;  // the worker thread's own
    std::thread thread_;
};

}  // namespace tarn
