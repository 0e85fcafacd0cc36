#include "audio/recording_audio_output.hpp"

#include "core/message.hpp"

namespace tarn {

namespace {

const char* yes_no(bool value) {
    return value ? "true" : "false";
}

}  // namespace

void RecordingAudioOutput::answer(std::string_view operation, AudioError error) {
    answers_[std::string(operation)].push_back(error_code(error));
}

void RecordingAudioOutput::answer(std::string_view operation, bool value) {
    answers_[std::string(operation)].push_back(value ? 1 : 0);
}

int RecordingAudioOutput::record(std::string_view operation, const SharedString& arguments) {
    std::string call(operation);
    call.append("(").append(arguments.data(), arguments.length()).append(")");
    calls_.push_back(std::move(call));
    const auto queued = answers_.find(operation);
    if (queued == answers_.end() || queued->second.empty())
        return 0;
    const int result = queued->second.front();
    queued->second.pop_front();
    return result;
}

AudioError RecordingAudioOutput::error_call(std::string_view operation,
                                            const SharedString& arguments) {
    return static_cast<AudioError>(record(operation, arguments));
}

bool RecordingAudioOutput::query_call(std::string_view operation, const SharedString& arguments) {
    return record(operation, arguments) != 0;
}

template <typename Handle>
AudioResult<Handle> RecordingAudioOutput::handle_call(std::string_view operation,
                                                      const SharedString& arguments) {
    const AudioError error = error_call(operation, arguments);
    if (error != AudioError::kOk)
        return AudioResult<Handle>::failed(error);
    return {.handle = Handle{++last_handle_}};
}

AudioError RecordingAudioOutput::start_device(int device, int mixing_rate) {
    return error_call("start_device", message("%1, %2", device, mixing_rate));
}

void RecordingAudioOutput::stop_device() {
    record("stop_device");
}

std::optional<std::string> RecordingAudioOutput::device_name(int index) {
    record("device_name", message("%1", index));
    if (index < 0 || static_cast<std::size_t>(index) >= device_names.size())
        return std::nullopt;
    return device_names[index];
}

AudioOutputInfo RecordingAudioOutput::output_info() {
    record("output_info");
    return info;
}

AudioResult<SampleHandle> RecordingAudioOutput::load_sample(std::span<const std::uint8_t> file,
                                                            int max_playbacks) {
    return handle_call<SampleHandle>("load_sample",
                                     message("%1 bytes, %2", file.size(), max_playbacks));
}

void RecordingAudioOutput::free_sample(SampleHandle sample) {
    record("free_sample", message("%1", sample.value));
}

AudioError RecordingAudioOutput::set_min_gap(SampleHandle sample, int milliseconds) {
    return error_call("set_min_gap", message("%1, %2", sample.value, milliseconds));
}

AudioResult<ChannelHandle> RecordingAudioOutput::sample_channel(SampleHandle sample) {
    return handle_call<ChannelHandle>("sample_channel", message("%1", sample.value));
}

AudioResult<ChannelHandle> RecordingAudioOutput::open_stream(const WidePath& path) {
    return handle_call<ChannelHandle>("open_stream", message("%1", path));
}

void RecordingAudioOutput::free_stream(ChannelHandle stream) {
    record("free_stream", message("%1", stream.value));
}

AudioError RecordingAudioOutput::play(ChannelHandle channel) {
    return error_call("play", message("%1", channel.value));
}

void RecordingAudioOutput::stop_channel(ChannelHandle channel) {
    record("stop_channel", message("%1", channel.value));
}

bool RecordingAudioOutput::is_active(ChannelHandle channel) {
    return query_call("is_active", message("%1", channel.value));
}

void RecordingAudioOutput::set_looping(ChannelHandle channel, bool loop) {
    record("set_looping", message("%1, %2", channel.value, yes_no(loop)));
}

bool RecordingAudioOutput::is_looping(ChannelHandle channel) {
    return query_call("is_looping", message("%1", channel.value));
}

void RecordingAudioOutput::set_volume(ChannelHandle channel, float volume) {
    record("set_volume", message("%1, %2", channel.value, volume));
}

void RecordingAudioOutput::slide_volume(ChannelHandle channel, float volume, int milliseconds) {
    record("slide_volume", message("%1, %2, %3", channel.value, volume, milliseconds));
}

bool RecordingAudioOutput::is_volume_sliding(ChannelHandle channel) {
    return query_call("is_volume_sliding", message("%1", channel.value));
}

}  // namespace tarn
