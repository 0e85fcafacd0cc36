#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tarn::platform {

// Fills frame_count interleaved stereo 16-bit frames; called on the device's own thread, which
// must never wait long in it.
using AudioFill = void (*)(void* context, std::int16_t* frames, int frame_count);

// What the device runs at, which may differ from what was asked.
struct AudioDeviceFormat {
    int rate = 0;
    int buffer_frames = 0;  // frames per call of the fill function
};

// The system's audio output, 16-bit stereo. There is one at a time.
class AudioDevice {
public:
    // Opens the output at about `rate` Hz, asking for buffer_frames frames per fill, and starts
    // calling fill. Nothing when no output can be opened (last_error() of window.hpp tells why).
    static std::unique_ptr<AudioDevice> open(int rate, int buffer_frames, AudioFill fill,
                                             void* context);
    // Closes the output; fill is not running, and is not called again, once this returns.
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    const AudioDeviceFormat& format() const { return format_; }

    // The name of the audio driver in use, while a device is open.
    static std::optional<std::string> driver_name();

private:
    AudioDevice(AudioFill fill, void* context) : fill_(fill), context_(context) {}
    bool open_output(int rate, int buffer_frames);
    static void fill_bytes(void* device, std::uint8_t* bytes, int length);

    AudioFill fill_;
    void* context_;
    AudioDeviceFormat format_;
};

}  // namespace tarn::platform
