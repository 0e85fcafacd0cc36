#pragma once

#include "audio/audio_output.hpp"

namespace tarn {

// The output of an engine without an audio device: the device "starts" silently, but nothing
// loads or plays, and nothing is logged. Every game runs silent on it.
class NullAudioOutput final : public AudioOutput {
public:
    AudioError start_device(int, int) override { return AudioError::kOk; }
    void stop_device() override {}
    std::optional<std::string> device_name(int) override { return std::nullopt; }
    AudioOutputInfo output_info() override { return {}; }

    AudioResult<SampleHandle> load_sample(std::span<const std::uint8_t>, int) override {
        return AudioResult<SampleHandle>::failed(AudioError::kNoDriver);
    }
    void free_sample(SampleHandle) override {}
    AudioError set_min_gap(SampleHandle, int) override { return AudioError::kNoDriver; }
    AudioResult<ChannelHandle> sample_channel(SampleHandle) override {
        return AudioResult<ChannelHandle>::failed(AudioError::kNoDriver);
    }

    AudioResult<ChannelHandle> open_stream(const WidePath&) override {
        return AudioResult<ChannelHandle>::failed(AudioError::kNoDriver);
    }
    void free_stream(ChannelHandle) override {}

    AudioError play(ChannelHandle) override { return AudioError::kNoDriver; }
    void stop_channel(ChannelHandle) override {}
    bool is_active(ChannelHandle) override { return false; }
    void set_looping(ChannelHandle, bool) override {}
    bool is_looping(ChannelHandle) override { return false; }
    void set_volume(ChannelHandle, float) override {}
    void slide_volume(ChannelHandle, float, int) override {}
    bool is_volume_sliding(ChannelHandle) override { return false; }
};

}  // namespace tarn
