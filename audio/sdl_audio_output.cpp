#include "audio/sdl_audio_output.hpp"

#include <algorithm>
#include <bit>

#include "audio/audio_decoder.hpp"
#include "core/log.hpp"
#include "core/message.hpp"
#include "platform/window.hpp"

namespace tarn {

namespace {

// The device's buffer: the largest power of two of frames within this time.
constexpr int kBufferMs = 40;
constexpr int kMinBufferFrames = 64;

int buffer_frames(int rate) {
    return static_cast<int>(
        std::bit_floor(static_cast<unsigned>(std::max(rate * kBufferMs / 1000, kMinBufferFrames))));
}

void render(void* mixer, std::int16_t* frames, int frame_count) {
    static_cast<Mixer*>(mixer)->render(frames, frame_count);
}

template <typename Handle>
AudioResult<Handle> handed_out(std::uint32_t value) {
    return {Handle{value}, AudioError::kOk};
}

struct FeedResult {
    std::shared_ptr<StreamFeed> feed;
    AudioError error = AudioError::kOk;
};

// The file is opened and its header read here; its sound is decoded by the worker.
FeedResult open_feed(const WidePath& path) {
    std::unique_ptr<FileSource> file = FileSource::open(path.native());
    if (!file)
        return {nullptr, AudioError::kFileOpen};
    DecoderResult opened = open_decoder(std::move(file));
    if (!opened.decoder)
        return {nullptr, opened.error};
    return {std::make_shared<StreamFeed>(std::move(opened.decoder)), AudioError::kOk};
}

}  // namespace

AudioError SdlAudioOutput::start_device(int device, int mixing_rate) {
    if (device_)
        return AudioError::kAlready;
    if (device != -1 && device != 1)
        return AudioError::kDevice;
    if (mixing_rate < 1 || mixing_rate > PcmFormat::kMaxRate)
        return AudioError::kFormat;
    auto mixer = std::make_unique<Mixer>();
    device_ =
        platform::AudioDevice::open(mixing_rate, buffer_frames(mixing_rate), &render, mixer.get());
    if (!device_) {
        log_message(message("No audio output: %1", platform::last_error().c_str()));
        return AudioError::kNoDriver;
    }
    mixer_ = std::move(mixer);
    rate_ = device_->format().rate;
    worker_ = std::make_unique<StreamWorker>();
    return AudioError::kOk;
}

void SdlAudioOutput::stop_device() {
    device_.reset();
    worker_.reset();
    channels_.clear();
    samples_.clear();
    mixer_.reset();
}

std::optional<std::string> SdlAudioOutput::device_name(int index) {
    if (index == 0)
        return "No sound";
    if (index == 1 && device_)
        return platform::AudioDevice::driver_name();
    return std::nullopt;
}

AudioOutputInfo SdlAudioOutput::output_info() {
    if (!device_)
        return {};
    const platform::AudioDeviceFormat& format = device_->format();
    const auto buffer_ms = static_cast<unsigned>(format.buffer_frames * 1000 / format.rate);
    // The device's thread refills its one buffer whenever it has played.
    return {buffer_ms, buffer_ms, 1, -1};
}

AudioResult<SampleHandle> SdlAudioOutput::load_sample(std::span<const std::uint8_t> file,
                                                      int max_playbacks) {
    if (!device_)
        return AudioResult<SampleHandle>::failed(AudioError::kNotStarted);
    SampleResult decoded = decode_sample(file);
    if (decoded.error != AudioError::kOk)
        return AudioResult<SampleHandle>::failed(decoded.error);
    const std::uint32_t handle = next_handle();
    samples_.try_emplace(handle, std::move(decoded.pcm), std::max(max_playbacks, 1));
    return handed_out<SampleHandle>(handle);
}

void SdlAudioOutput::free_sample(SampleHandle sample) {
    if (!find_sample(sample))
        return;
    std::vector<std::uint32_t> playing;
    for (const auto& [handle, channel] : channels_) {
        if (channel.sample == sample.value)
            playing.push_back(handle);
    }
    for (const std::uint32_t handle : playing)
        release(handle);
    samples_.erase(sample.value);
}

AudioError SdlAudioOutput::set_min_gap(SampleHandle sample, int milliseconds) {
    if (!device_)
        return AudioError::kNotStarted;
    Sample* found = find_sample(sample);
    if (!found)
        return AudioError::kHandle;
    found->min_gap = std::chrono::milliseconds(std::max(milliseconds, 0));
    return AudioError::kOk;
}

AudioResult<ChannelHandle> SdlAudioOutput::sample_channel(SampleHandle sample) {
    if (!device_)
        return AudioResult<ChannelHandle>::failed(AudioError::kNotStarted);
    release_finished();
    Sample* found = find_sample(sample);
    if (!found)
        return AudioResult<ChannelHandle>::failed(AudioError::kHandle);
    if (found->last_play && Clock::now() - *found->last_play < found->min_gap)
        return AudioResult<ChannelHandle>::failed(AudioError::kTimeout);
    if (found->channels >= found->max_playbacks)
        return AudioResult<ChannelHandle>::failed(AudioError::kNoChannel);
    ++found->channels;
    const std::uint32_t handle = next_handle();
    channels_.try_emplace(handle, sample.value, std::make_unique<MixerVoice>(found->pcm, rate_));
    return handed_out<ChannelHandle>(handle);
}

AudioResult<ChannelHandle> SdlAudioOutput::open_stream(const WidePath& path) {
    if (!device_)
        return AudioResult<ChannelHandle>::failed(AudioError::kNotStarted);
    FeedResult opened = open_feed(path);
    if (!opened.feed)
        return AudioResult<ChannelHandle>::failed(opened.error);
    auto voice = std::make_unique<MixerVoice>(*opened.feed, rate_);
    worker_->add(opened.feed);
    const std::uint32_t handle = next_handle();
    channels_.try_emplace(handle, std::move(opened.feed), path, std::move(voice));
    return handed_out<ChannelHandle>(handle);
}

void SdlAudioOutput::free_stream(ChannelHandle stream) {
    if (const Channel* found = find_channel(stream); found && found->feed)
        release(stream.value);
}

AudioError SdlAudioOutput::play(ChannelHandle channel) {
    if (!device_)
        return AudioError::kNotStarted;
    Channel* found = find_channel(channel);
    if (!found)
        return AudioError::kHandle;
    if (found->sample != 0)
        samples_.at(found->sample).last_play = Clock::now();
    return start_channel(*found);
}

AudioError SdlAudioOutput::start_channel(Channel& channel) {
    if (!channel.started) {
        channel.started = true;
        mixer_->add(*channel.voice);
        return AudioError::kOk;
    }
    if (channel.feed)
        return reopen(channel);
    std::unique_lock lock = mixer_->lock();
    channel.voice->restart();
    return AudioError::kOk;
}

AudioError SdlAudioOutput::reopen(Channel& stream) {
    FeedResult opened = open_feed(stream.path);
    if (!opened.feed)
        return opened.error;
    worker_->add(opened.feed);
    {
        std::unique_lock lock = mixer_->lock();
        stream.voice->restart(*opened.feed);
    }
    stream.feed->cancel();
    stream.feed = std::move(opened.feed);
    return AudioError::kOk;
}

void SdlAudioOutput::stop_channel(ChannelHandle channel) {
    if (find_channel(channel))
        release(channel.value);
}

bool SdlAudioOutput::is_active(ChannelHandle channel) {
    const Channel* found = find_channel(channel);
    return found && found->started;
}

void SdlAudioOutput::set_looping(ChannelHandle channel, bool loop) {
    if (Channel* found = find_channel(channel)) {
        std::unique_lock lock = mixer_->lock();
        found->voice->set_looping(loop);
    }
}

bool SdlAudioOutput::is_looping(ChannelHandle channel) {
    const Channel* found = find_channel(channel);
    return found && found->voice->looping();
}

void SdlAudioOutput::set_volume(ChannelHandle channel, float volume) {
    if (Channel* found = find_channel(channel)) {
        std::unique_lock lock = mixer_->lock();
        found->voice->set_volume(volume);
    }
}

void SdlAudioOutput::slide_volume(ChannelHandle channel, float volume, int milliseconds) {
    if (Channel* found = find_channel(channel)) {
        const std::int64_t frames = std::int64_t{milliseconds} * rate_ / 1000;
        std::unique_lock lock = mixer_->lock();
        found->voice->slide_volume(volume, frames);
    }
}

bool SdlAudioOutput::is_volume_sliding(ChannelHandle channel) {
    if (const Channel* found = find_channel(channel)) {
        std::unique_lock lock = mixer_->lock();
        return found->voice->volume_sliding();
    }
    return false;
}

std::size_t SdlAudioOutput::decoded_bytes() const {
    std::size_t bytes = 0;
    for (const auto& [handle, sample] : samples_)
        bytes += sample.pcm.samples.size() * sizeof(std::int16_t);
    for (const auto& [handle, channel] : channels_)
        bytes += channel.feed ? channel.feed->buffer_bytes() : 0;
    return bytes;
}

SdlAudioOutput::Sample* SdlAudioOutput::find_sample(SampleHandle handle) {
    const auto found = samples_.find(handle.value);
    return found != samples_.end() ? &found->second : nullptr;
}

SdlAudioOutput::Channel* SdlAudioOutput::find_channel(ChannelHandle handle) {
    if (!mixer_)
        return nullptr;
    release_finished();
    const auto found = channels_.find(handle.value);
    return found != channels_.end() ? &found->second : nullptr;
}

// Channels that played to their end are released here, on the main thread: the device's thread
// never frees anything.
void SdlAudioOutput::release_finished() {
    if (!mixer_->take_finished())
        return;
    std::vector<std::uint32_t> finished;
    finished.reserve(channels_.size());
    {
        std::unique_lock lock = mixer_->lock();
        for (const auto& [handle, channel] : channels_) {
            if (channel.voice->finished())
                finished.push_back(handle);
        }
    }
    for (const std::uint32_t handle : finished)
        release(handle);
}

void SdlAudioOutput::release(std::uint32_t handle) {
    const auto found = channels_.find(handle);
    Channel& channel = found->second;
    if (channel.started)
        mixer_->remove(*channel.voice);
    if (channel.feed)
        channel.feed->cancel();
    if (channel.sample != 0)
        --samples_.at(channel.sample).channels;
    channels_.erase(found);
}

}  // namespace tarn
