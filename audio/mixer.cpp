#include "audio/mixer.hpp"

#include <algorithm>
#include <cmath>

namespace tarn {

namespace {

std::int16_t saturate(float sample) {
    return static_cast<std::int16_t>(std::lrint(std::clamp(sample, -32768.0f, 32767.0f)));
}

}  // namespace

void Mixer::add(MixerVoice& voice) {
    reserve_one();
    std::lock_guard guard(mutex_);
    voices_.push_back(&voice);
}

void Mixer::reserve_one() {
    if (voices_.size() < voices_.capacity())
        return;
    std::vector<MixerVoice*> larger;
    larger.reserve(std::max<std::size_t>(16, 2 * voices_.capacity()));
    std::lock_guard guard(mutex_);
    larger.assign(voices_.begin(), voices_.end());
    voices_.swap(larger);
}

void Mixer::remove(MixerVoice& voice) {
    std::lock_guard guard(mutex_);
    const auto found = std::find(voices_.begin(), voices_.end(), &voice);
    if (found == voices_.end())
        return;
    *found = voices_.back();
    voices_.pop_back();
}

void Mixer::render(std::int16_t* out, int frames) {
    std::lock_guard guard(mutex_);
    for (int done = 0; done < frames; done += kBlockFrames)
        render_block(out + 2 * done, std::min(kBlockFrames, frames - done));
}

void Mixer::render_block(std::int16_t* out, int frames) {
    std::fill_n(block_.begin(), 2 * frames, 0.0f);
    for (MixerVoice* voice : voices_) {
        if (voice->finished())
            continue;
        voice->mix(block_.data(), frames);
        if (voice->finished())
            finished_.store(true, std::memory_order_release);
    }
    std::transform(block_.begin(), block_.begin() + 2 * frames, out, saturate);
}

}  // namespace tarn
