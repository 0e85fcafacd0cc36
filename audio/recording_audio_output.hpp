#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string_view>
#include <vector>

#include "audio/audio_output.hpp"
#include "core/shared_string.hpp"

namespace tarn {

// An output for tests: it records every call as one line of text, such as
// "start_device(-1, 22050)" or "set_volume(2, 0.5)", and answers from results queued per
// operation. Unqueued calls succeed: handles are numbered 1, 2, 3 ... in the order they are
// handed out (samples and channels alike), errors are kOk and queries answer false.
class RecordingAudioOutput final : public AudioOutput {
public:
    // Queues the result of a later call of `operation` (its name in the call log); its calls
    // take their queued results in order. An error answers the operations that return an error
    // or a handle (kOk hands out a new handle), a flag answers the queries.
    void answer(std::string_view operation, AudioError error);
    void answer(std::string_view operation, bool value);

    // Every call so far, oldest first.
    const std::vector<std::string>& calls() const { return calls_; }

    // device_name answers these names in turn, then none; output_info answers info.
    std::vector<std::string> device_names;
    AudioOutputInfo info;

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

private:
    // Records "operation(arguments)" and returns the operation's next queued result, or 0.
    int record(std::string_view operation, const SharedString& arguments = {});
    AudioError error_call(std::string_view operation, const SharedString& arguments);
    bool query_call(std::string_view operation, const SharedString& arguments);
    template <typename Handle>
    AudioResult<Handle> handle_call(std::string_view operation, const SharedString& arguments);

    std::vector<std::string> calls_;
    std::map<std::string, std::deque<int>, std::less<>> answers_;
    std::uint32_t last_handle_ = 0;
};

}  // namespace tarn
