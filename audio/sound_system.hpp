#pragma once

#include <array>
#include <memory>

#include "audio/audio_output.hpp"

namespace tarn {

class CVar;
class CVarList;

// The audio device, sound categories, their volumes and music. The volumes are settings
// ("sound_volume_0" to "sound_volume_7"), so they are saved with the others.
class SoundSystem {
public:
    static constexpr int kCategoryCount = 8;
    static constexpr int kMixingRate = 22050;

    explicit SoundSystem(std::unique_ptr<AudioOutput> output) : output_(std::move(output)) {}

    // Registers the sound settings and starts the device the setting "sound_device" names
    // (-1 the default one). A device of 0 keeps audio off; a device that fails to start is
    // logged and leaves audio off too.
    void init(CVarList& cvars);
    // Stops the device if it was started.
    void shutdown();
    // Whether the device started: while it has not, sounds are silent.
    bool is_open() const { return open_; }

    // The volume of a category, 0..1; 1 for an unknown category, 0 when all but silent.
    float category_volume(int category) const;
    // Sets the volume setting of a category 0..7 (saved with the others) and applies it to the
    // playing channels; other indices are ignored.
    void set_category_volume(CVarList& cvars, int category, float volume);
    // Re-sends every playing channel's volume. There are no channels before the audio device
    // exists, so this has nothing to do yet.
    void apply_category_volumes() {}

    // The category that counts as music; -1 for none. Not checked.
    void set_music_category(int category) { music_category_ = category; }
    int music_category() const { return music_category_; }
    // Whether a channel of the music category is playing: never, until channels exist.
    bool is_music_playing() const { return false; }
    // Fades out the playing music channels; there are none until channels exist.
    void stop_music() {}
    bool is_music_muted() const {
        return music_category_ >= 0 && category_volume(music_category_) == 0.0f;
    }

private:
    void start_device(int device);

    std::unique_ptr<AudioOutput> output_;
    bool open_ = false;
    std::array<CVar*, kCategoryCount> category_volumes_{};
    int music_category_ = -1;
};

// The engine's sound system. A process-wide object created at start-up (app/singletons.cpp).
SoundSystem& sound_system();

}  // namespace tarn
