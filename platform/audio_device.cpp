#include "platform/audio_device.hpp"

#include <SDL.h>

namespace tarn::platform {

namespace {

SDL_AudioSpec wanted_output(int rate, int buffer_frames, void* device,
                            void (*callback)(void*, Uint8*, int)) {
    SDL_AudioSpec wanted{};
    wanted.freq = rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = static_cast<Uint16>(buffer_frames);
    wanted.callback = callback;
    wanted.userdata = device;
    return wanted;
}

}  // namespace

std::unique_ptr<AudioDevice> AudioDevice::open(int rate, int buffer_frames, AudioFill fill,
                                               void* context) {
    std::unique_ptr<AudioDevice> device(new AudioDevice(fill, context));
    if (!device->open_output(rate, buffer_frames))
        return nullptr;
    SDL_PauseAudio(0);
    return device;
}

// The callback always receives 16-bit stereo: when the driver offers another format, the output
// is reopened at the driver's rate and the window system converts the format alone.
bool AudioDevice::open_output(int rate, int buffer_frames) {
    SDL_AudioSpec wanted = wanted_output(rate, buffer_frames, this, &fill_bytes);
    SDL_AudioSpec obtained{};
    if (SDL_OpenAudio(&wanted, &obtained) != 0)
        return false;
    if (obtained.format != AUDIO_S16SYS || obtained.channels != 2) {
        SDL_CloseAudio();
        wanted.freq = obtained.freq;
        if (SDL_OpenAudio(&wanted, nullptr) != 0)
            return false;
        obtained = wanted;
    }
    format_ = {obtained.freq, obtained.samples};
    return true;
}

AudioDevice::~AudioDevice() {
    // Also stops the audio subsystem, which the open started.
    SDL_CloseAudio();
}

void AudioDevice::fill_bytes(void* device, std::uint8_t* bytes, int length) {
    const auto* self = static_cast<const AudioDevice*>(device);
    self->fill_(self->context_, reinterpret_cast<std::int16_t*>(bytes),
                length / static_cast<int>(2 * sizeof(std::int16_t)));
}

std::optional<std::string> AudioDevice::driver_name() {
    char name[64];
    if (SDL_AudioDriverName(name, sizeof name) == nullptr)
        return std::nullopt;
    return std::string(name);
}

}  // namespace tarn::platform
