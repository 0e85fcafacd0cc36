#pragma once

#include <cstdint>

#include "audio/audio_output.hpp"
#include "audio/sound.hpp"
#include "core/wide_path.hpp"
#include "script/engine_object.hpp"
#include "script/object_ref.hpp"

namespace tarn {

class SoundSystem;

// One playback of a sound. Scripts set it up (sound, looping, category, volume, release
// behaviour) and play it once; from then on the sound system keeps it, marked persistent, until
// it has finished, so a channel the scripts drop plays on. A dropped looping channel, and one
// asked to stop on release, fade out instead. A channel never plays twice.
class SoundChannel : public EngineObject {
public:
    enum State : std::uint32_t {
        kNew = 0,
        kDone = 1,  // play failed
        kPlaying = 2,
        kFadingOut = 3,
        kStopped = 4,
    };

    // The fade of a released channel, and of music replaced or stopped.
    static constexpr int kFadeMilliseconds = 500;

    static ClassDescriptor class_descriptor;

    SoundChannel() = default;
    ~SoundChannel() override;
    const ClassDescriptor& descriptor() const override { return class_descriptor; }

    // Settings; once played each logs why it refuses instead.
    void set_sound(Sound* sound);
    // > 0 loops, 0 does not, < 0 leaves the output's default.
    void set_looping(int looping);
    // 0..7; < 0 takes the sound's category when it plays.
    void set_category(int category);
    void stop_on_release();
    // Clamped to 0..1; a playing channel takes it at once.
    void set_volume(float volume);

    // Starts playing on system; a failure is logged and leaves the channel done. While the
    // device is not open nothing happens and the channel stays new.
    void play(SoundSystem& system);

    // The sound system's per-frame step: ends a channel whose sound has ended or whose fade is
    // over, and fades out one that nothing holds if it should not play on. False once finished.
    bool step();
    // Slides the volume to silence; the channel stops when the slide ends.
    void fade_out();
    // Sends category volume times volume to the output.
    void send_volume();
    // Stops the output's channel now.
    void stop();

    State state() const { return state_; }
    int category() const { return category_; }
    float volume() const { return volume_; }
    // Whether scripts or native code still hold the channel.
    bool is_held() const { return ref_count() > 0 || has_instance(); }

private:
    friend class SoundChannelList;

    bool refuse_once_played(const char* refusal) const;
    void play_sample();
    void play_stream();
    void apply_settings();
    void start_playing();
    void step_playing();
    void step_fading_out();
    AudioOutput& output() const;

    ObjectRef<Sound> sound_;
    int category_ = -1;
    bool stop_on_release_ = false;
    int looping_ = -1;
    float volume_ = 1.0f;
    State state_ = kNew;
    ChannelHandle handle_;
    // The system that plays the channel, from play on.
    SoundSystem* system_ = nullptr;
    // Place in the sound system's list of playing channels.
    SoundChannel* previous_ = nullptr;
    SoundChannel* next_ = nullptr;
};

}  // namespace tarn
