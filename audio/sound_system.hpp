#pragma once

#include <array>
#include <memory>

#include "audio/audio_output.hpp"
#include "audio/sound_channel_list.hpp"

namespace tarn {

class CVar;
class CVarList;
class SoundChannel;

// The audio device, sound categories, their volumes and music, and the channels that play. The
// volumes are settings ("sound_volume_0" to "sound_volume_7"), so they are saved with the
// others. A playing channel is listed and marked persistent until its sound ends or its fade is
// over; then it is dropped, and destroyed if nothing holds it any longer.
class SoundSystem {
public:
    static constexpr int kCategoryCount = 8;
    static constexpr int kMixingRate = 22050;

    explicit SoundSystem(std::unique_ptr<AudioOutput> output) : output_(std::move(output)) {}

    // Registers the sound settings in cvars and starts the device the setting "sound_device"
    // names (-1 the default one), logging the devices and buffering. A device of 0 keeps audio
    // off; a device that fails to start is logged and leaves audio off too.
    void init(CVarList& cvars);
    // Stops every listed channel and destroys those nothing holds, forgets the settings, then
    // stops the device if it was started.
    void shutdown();
    // Whether the device started: while it has not, sounds are silent.
    bool is_open() const { return open_; }
    AudioOutput& output() { return *output_; }
    // Replaces the output; only while the device is not open.
    void set_output(std::unique_ptr<AudioOutput> output) { output_ = std::move(output); }

    // The volume of a category, 0..1; 1 for an unknown category, 0 when all but silent.
    float category_volume(int category) const;
    // Sets the volume setting of a category 0..7 (saved with the others) and applies it to the
    // playing channels; other indices are ignored.
    void set_category_volume(int category, float volume);
    // Re-sends every playing channel's volume.
    void apply_category_volumes();

    // The category that counts as music; -1 for none. Not checked.
    void set_music_category(int category) { music_category_ = category; }
    int music_category() const { return music_category_; }
    bool is_music(int category) const {
        return music_category_ >= 0 && category == music_category_;
    }
    // Whether a channel of the music category is playing.
    bool is_music_playing() const;
    // Fades out the playing music channels.
    void stop_music();
    bool is_music_muted() const {
        return music_category_ >= 0 && category_volume(music_category_) == 0.0f;
    }

    // Lists a channel that started playing and marks it persistent.
    void add_channel(SoundChannel& channel);
    // Once a frame: steps every listed channel and drops those that finished.
    void update();

private:
    void start_device(int device);
    void log_device();
    void drop(SoundChannel& channel);

    std::unique_ptr<AudioOutput> output_;
    bool open_ = false;
    CVarList* cvars_ = nullptr;
    std::array<CVar*, kCategoryCount> category_volumes_{};
    int music_category_ = -1;
    SoundChannelList channels_;
};

// The engine's sound system. A process-wide object created at start-up (app/singletons.cpp).
SoundSystem& sound_system();

}  // namespace tarn
