#include "audio/mixer_voice.hpp"

#include <algorithm>

namespace tarn {

namespace {

float clamp_volume(float volume) {
    return volume > 0.0f ? std::min(volume, 1.0f) : 0.0f;  // NaN is silence
}

}  // namespace

MixerVoice::MixerVoice(const PcmBuffer& sample, int output_rate)
    : sample_(&sample), output_rate_(output_rate) {
    restart();
}

MixerVoice::MixerVoice(StreamFeed& feed, int output_rate)
    : feed_(&feed), output_rate_(output_rate) {
    start(feed.format());
}

void MixerVoice::restart() {
    cursor_ = span_begin_ = sample_->samples.data();
    span_end_ = cursor_ + sample_->samples.size();
    start(sample_->format);
}

void MixerVoice::restart(StreamFeed& feed) {
    feed_ = &feed;
    feed.set_looping(looping_);
    cursor_ = span_begin_ = span_end_ = nullptr;
    start(feed.format());
}

void MixerVoice::start(const PcmFormat& format) {
    channels_ = format.channels;
    step_ = static_cast<double>(format.rate) / output_rate_;
    // Two frames are shifted in before the first output: it is the first frame exactly.
    prev_[0] = prev_[1] = next_[0] = next_[1] = 0.0f;
    phase_ = 2.0;
    source_done_ = finished_ = false;
}

void MixerVoice::set_looping(bool loop) {
    looping_ = loop;
    if (feed_ != nullptr)
        feed_->set_looping(loop);
}

void MixerVoice::set_volume(float volume) {
    volume_ = slide_target_ = clamp_volume(volume);
    slide_left_ = 0;
}

void MixerVoice::slide_volume(float volume, std::int64_t frames) {
    if (frames <= 0) {
        set_volume(volume);
        return;
    }
    slide_target_ = clamp_volume(volume);
    slide_step_ = (slide_target_ - volume_) / static_cast<float>(frames);
    slide_left_ = frames;
}

float MixerVoice::next_volume() {
    if (slide_left_ > 0) {
        volume_ += slide_step_;
        if (--slide_left_ == 0)
            volume_ = slide_target_;
    }
    return volume_;
}

void MixerVoice::mix(float* out, int frames) {
    int i = 0;
    for (; i < frames && !finished_ && catch_up(); ++i) {
        const float t = static_cast<float>(phase_);
        const float volume = next_volume();
        out[2 * i] += (prev_[0] + (next_[0] - prev_[0]) * t) * volume;
        out[2 * i + 1] += (prev_[1] + (next_[1] - prev_[1]) * t) * volume;
        phase_ += step_;
    }
    // A slide keeps time while the voice waits.
    for (; i < frames && slide_left_ > 0; ++i)
        next_volume();
    if (feed_ != nullptr)
        release_stream_frames();
}

bool MixerVoice::catch_up() {
    while (phase_ >= 1.0) {
        if (!advance())
            return false;
    }
    return true;
}

bool MixerVoice::advance() {
    if (cursor_ == span_end_) {
        const Fetch fetched = refill();
        if (fetched == Fetch::kWait)
            return false;
        if (fetched == Fetch::kEnd) {
            // One more step fades the last frame out towards silence, then the voice ends.
            finished_ = source_done_;
            source_done_ = true;
            if (!finished_)
                shift_in(0.0f, 0.0f);
            return !finished_;
        }
    }
    shift_in(cursor_[0], cursor_[channels_ - 1]);
    cursor_ += channels_;
    source_done_ = false;  // a stream that loops again after its end
    return true;
}

void MixerVoice::shift_in(float left, float right) {
    prev_[0] = next_[0];
    prev_[1] = next_[1];
    next_[0] = left;
    next_[1] = right;
    phase_ -= 1.0;
}

MixerVoice::Fetch MixerVoice::refill() {
    return feed_ != nullptr ? refill_stream() : refill_sample();
}

MixerVoice::Fetch MixerVoice::refill_sample() {
    if (!looping_ || sample_->samples.empty())
        return Fetch::kEnd;
    cursor_ = span_begin_ = sample_->samples.data();
    span_end_ = cursor_ + sample_->samples.size();
    return Fetch::kFrames;
}

MixerVoice::Fetch MixerVoice::refill_stream() {
    release_stream_frames();
    // Read before the ring: frames published before the end mark are then in the ring.
    const bool ended = feed_->ended();
    const std::span<const std::int16_t> ready = feed_->ring().readable();
    if (ready.empty())
        return ended ? Fetch::kEnd : Fetch::kWait;
    cursor_ = span_begin_ = ready.data();
    span_end_ = cursor_ + ready.size();
    return Fetch::kFrames;
}

void MixerVoice::release_stream_frames() {
    const auto frames = static_cast<std::size_t>(cursor_ - span_begin_) / channels_;
    if (frames > 0)
        feed_->ring().consume(frames);
    span_begin_ = cursor_;
}

}  // namespace tarn
