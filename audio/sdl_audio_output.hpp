#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <unordered_map>

#include "audio/audio_output.hpp"
#include "audio/mixer.hpp"
#include "audio/stream_worker.hpp"
#include "platform/audio_device.hpp"

namespace tarn {

// The output that mixes in the engine and plays through the system's audio device: samples are
// decoded whole at load, streams are decoded ahead on a worker thread a half second at a time,
// and the device's thread mixes both. Reads WAV (8- and 16-bit PCM) and Ogg Vorbis files of one
// or two channels at any rate.
//
// Output devices: 0 is "No sound", which cannot be started; 1 is the system's one output,
// named after its driver while it runs; -1 picks it too.
class SdlAudioOutput final : public AudioOutput {
public:
    SdlAudioOutput() = default;
    ~SdlAudioOutput() override { stop_device(); }

    AudioError start_device(int device, int mixing_rate) override;
    void stop_device() override;
    std::optional<std::string> device_name(int index) override;
    AudioOutputInfo output_info() override;

    AudioResult<SampleHandle> load_sample(std::span<const std::uint8_t> file,
                                          int max_playbacks) override;
    void free_sample(SampleHandle sample) override;
    AudioError set_min_gap(SampleHandle sample, int milliseconds) override;
    AudioResult<ChannelHandle> sample_channel(SampleHandle sample) override;

    AudioResult<ChannelHandle> open_stream(const WidePath& path) override;
    void free_stream(ChannelHandle stream) override;

    AudioError play(ChannelHandle channel) override;
    void stop_channel(ChannelHandle channel) override;
    bool is_active(ChannelHandle channel) override;
    void set_looping(ChannelHandle channel, bool loop) override;
    bool is_looping(ChannelHandle channel) override;
    void set_volume(ChannelHandle channel, float volume) override;
    void slide_volume(ChannelHandle channel, float volume, int milliseconds) override;
    bool is_volume_sliding(ChannelHandle channel) override;

    // Bytes of decoded sound held: the samples, and the streams' frames decoded ahead.
    std::size_t decoded_bytes() const;

private:
    using Clock = std::chrono::steady_clock;

    struct Sample {
        Sample(PcmBuffer decoded, int max_channels)
            : pcm(std::move(decoded)), max_playbacks(max_channels) {}

        PcmBuffer pcm;
        int max_playbacks = 1;
        Clock::duration min_gap{};
        std::optional<Clock::time_point> last_play;
        int channels = 0;  // channels given out and not yet ended
    };

    struct Channel {
        Channel(std::uint32_t of_sample, std::unique_ptr<MixerVoice> sample_voice)
            : sample(of_sample), voice(std::move(sample_voice)) {}
        Channel(std::shared_ptr<StreamFeed> stream_feed, WidePath file,
                std::unique_ptr<MixerVoice> stream_voice)
            : feed(std::move(stream_feed)), path(std::move(file)), voice(std::move(stream_voice)) {}

        std::uint32_t sample = 0;  // 0 for a stream
        std::shared_ptr<StreamFeed> feed;
        WidePath path;  // a stream's file
        std::unique_ptr<MixerVoice> voice;
        bool started = false;
    };

    Sample* find_sample(SampleHandle handle);
    // A channel that is neither freed nor finished; finished ones are released first.
    Channel* find_channel(ChannelHandle handle);
    void release_finished();
    void release(std::uint32_t handle);
    std::uint32_t next_handle() { return ++last_handle_; }
    // Starts a new feed of the stream's file for a play from the beginning.
    AudioError reopen(Channel& stream);
    AudioError start_channel(Channel& channel);

    int rate_ = 0;
    std::unique_ptr<Mixer> mixer_;
    std::unordered_map<std::uint32_t, Sample> samples_;
    std::unordered_map<std::uint32_t, Channel> channels_;
    std::uint32_t last_handle_ = 0;
    std::unique_ptr<StreamWorker> worker_;
    // Last, so that it closes first and the mixer stops before what it mixes goes.
    std::unique_ptr<platform::AudioDevice> device_;
};

}  // namespace tarn
