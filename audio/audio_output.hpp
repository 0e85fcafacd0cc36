#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/wide_path.hpp"

namespace tarn {

// Why an output operation failed. The codes are numbered as the audio library the engine's
// messages were first written against numbers them, so a logged code keeps its meaning; an
// output may report any other code of that numbering.
enum class AudioError : int {
    kOk = 0,
    kMemory = 1,       // the decoded sound would be too large
    kFileOpen = 2,     // the file cannot be opened
    kNoDriver = 3,     // no output driver or device could be opened
    kHandle = 5,       // the handle is none, freed or finished
    kFormat = 6,       // the sound's sample format is not supported
    kNotStarted = 8,   // the device is not started
    kAlready = 14,     // the device is already started
    kNoChannel = 18,   // the sample already has max_playbacks channels
    kDevice = 23,      // there is no output device of that number
    kTimeout = 40,     // the sample's minimum gap between two plays has not passed yet
    kFileFormat = 41,  // not a sound file the output reads, or a damaged one
};

constexpr int error_code(AudioError error) {
    return static_cast<int>(error);
}

// A handle handed out by the output; 0 is none. The tag keeps samples and channels apart.
template <typename Tag>
struct AudioHandle {
    std::uint32_t value = 0;

    explicit operator bool() const { return value != 0; }
    friend bool operator==(AudioHandle, AudioHandle) = default;
};

using SampleHandle = AudioHandle<struct SampleHandleTag>;
// A channel plays one sample once, or one stream; streams are driven as channels.
using ChannelHandle = AudioHandle<struct ChannelHandleTag>;

// What an operation that creates a handle gives back: a handle, or none and the reason.
template <typename Handle>
struct AudioResult {
    Handle handle;
    AudioError error = AudioError::kOk;

    static AudioResult failed(AudioError why) { return {Handle{}, why}; }
    bool ok() const { return static_cast<bool>(handle); }
};

// The running device's buffering, for the start-up log.
struct AudioOutputInfo {
    unsigned buffer_length_ms = 0;  // the playback buffer
    unsigned update_period_ms = 0;  // how often the buffer is refilled
    unsigned update_threads = 0;    // threads that refill it
    int min_buffer_ms = -1;         // the least buffer the device can work with; -1 unknown
};

// Where the sound system sends its audio: the device, samples decoded into memory, streams read
// from files, and the channels that play them. All calls come from the main thread; an output
// mixes on threads of its own. Operations on a handle that is none, freed or finished do
// nothing: queries answer false and play fails, so callers need not follow the device's own
// progress.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;

    // Opens output device number `device` (-1 the system's default) mixing at mixing_rate Hz.
    // Every other operation needs a started device and fails with kNotStarted without one.
    [[nodiscard]] virtual AudioError start_device(int device, int mixing_rate) = 0;
    // Closes the device; every handle it gave out becomes invalid.
    virtual void stop_device() = 0;
    // The name of output device `index` (0, 1, 2 ... up to the first none), for the log.
    virtual std::optional<std::string> device_name(int index) = 0;
    virtual AudioOutputInfo output_info() = 0;

    // Decodes a whole sound file (its bytes, not kept) into a sample that at most
    // max_playbacks channels play at once.
    [[nodiscard]] virtual AudioResult<SampleHandle> load_sample(std::span<const std::uint8_t> file,
                                                                int max_playbacks) = 0;
    // Frees the sample and stops its channels.
    virtual void free_sample(SampleHandle sample) = 0;
    // Sets the least time between two plays of the sample (0 for none).
    [[nodiscard]] virtual AudioError set_min_gap(SampleHandle sample, int milliseconds) = 0;
    // A new channel of the sample, not yet playing. Fails with kTimeout while the sample's
    // minimum gap since its last play has not passed, and when max_playbacks channels play.
    [[nodiscard]] virtual AudioResult<ChannelHandle> sample_channel(SampleHandle sample) = 0;

    // Opens a sound file to be read as it plays. The stream frees itself once it stops, by
    // reaching its end or through stop_channel.
    [[nodiscard]] virtual AudioResult<ChannelHandle> open_stream(const WidePath& path) = 0;
    // Frees a stream that never played.
    virtual void free_stream(ChannelHandle stream) = 0;

    // Plays the channel from its beginning.
    [[nodiscard]] virtual AudioError play(ChannelHandle channel) = 0;
    // Stops the channel for good.
    virtual void stop_channel(ChannelHandle channel) = 0;
    // Whether the channel still plays: false once it has reached its end or been stopped.
    virtual bool is_active(ChannelHandle channel) = 0;
    // A new channel or stream does not loop until this turns looping on.
    virtual void set_looping(ChannelHandle channel, bool loop) = 0;
    virtual bool is_looping(ChannelHandle channel) = 0;
    // Volume 0..1, applied at once.
    virtual void set_volume(ChannelHandle channel, float volume) = 0;
    // Moves the volume to `volume` evenly over `milliseconds`.
    virtual void slide_volume(ChannelHandle channel, float volume, int milliseconds) = 0;
    // Whether a slide of the volume is still under way.
    virtual bool is_volume_sliding(ChannelHandle channel) = 0;
};

}  // namespace tarn
