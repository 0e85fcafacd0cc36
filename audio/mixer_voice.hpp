#pragma once

#include <cstddef>
#include <cstdint>

#include "audio/pcm.hpp"
#include "audio/stream_feed.hpp"

namespace tarn {

// One sound in the mix: a decoded sample or a stream, resampled to the output rate by linear
// interpolation, at a volume that may slide. Owned by the main thread; while it is in a Mixer,
// it is touched only under the mixer's lock.
class MixerVoice {
public:
    // The sample or the feed must outlive the voice (or, for a feed, its restart with another).
    MixerVoice(const PcmBuffer& sample, int output_rate);
    MixerVoice(StreamFeed& feed, int output_rate);

    // Back to the first frame: a sample's, or that of a new feed of the stream's file.
    void restart();
    void restart(StreamFeed& feed);

    void set_looping(bool loop);
    bool looping() const { return looping_; }

    // Volume 0..1 at once.
    void set_volume(float volume);
    // Moves the volume to `volume` evenly over `frames` output frames (at once for 0 or less).
    void slide_volume(float volume, std::int64_t frames);
    bool volume_sliding() const { return slide_left_ > 0; }

    // Whether it has played to its end; a finished voice adds nothing.
    bool finished() const { return finished_; }

    // Adds its next `frames` output frames to interleaved stereo `out`. A stream whose decoded
    // frames run short adds what it has and waits for more.
    void mix(float* out, int frames);

private:
    enum class Fetch { kFrames, kWait, kEnd };

    void start(const PcmFormat& format);
    // Moves the source on until the output lies between two of its frames; false when the
    // voice must wait or has finished.
    bool catch_up();
    // Moves one source frame on; false when the voice must wait or has finished.
    bool advance();
    // Points the cursor at more source frames.
    Fetch refill();
    Fetch refill_sample();
    Fetch refill_stream();
    // Hands the stream frames read so far back to the ring.
    void release_stream_frames();
    void shift_in(float left, float right);
    float next_volume();

    const PcmBuffer* sample_ = nullptr;
    StreamFeed* feed_ = nullptr;
    int output_rate_;
    int channels_ = 1;
    double step_ = 1.0;  // source frames per output frame

    // Source frames not yet read: the rest of the sample, or of the ring's readable part.
    const std::int16_t* cursor_ = nullptr;
    const std::int16_t* span_end_ = nullptr;
    const std::int16_t* span_begin_ = nullptr;

    // The output lies between prev_ and next_, phase_ of the way from one to the other.
    float prev_[2] = {};
    float next_[2] = {};
    double phase_ = 0.0;
    bool source_done_ = false;  // the last source frame has been shifted in
    bool finished_ = false;
    bool looping_ = false;

    float volume_ = 1.0f;
    float slide_target_ = 1.0f;
    float slide_step_ = 0.0f;
    std::int64_t slide_left_ = 0;  // output frames
};

}  // namespace tarn
