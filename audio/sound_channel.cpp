#include "audio/sound_channel.hpp"

#include <algorithm>
#include <utility>

#include "audio/sound_system.hpp"
#include "core/log.hpp"
#include "core/message.hpp"

namespace tarn {

ClassDescriptor SoundChannel::class_descriptor("SoundChannel", &EngineObject::class_descriptor,
                                               nullptr, nullptr);

SoundChannel::~SoundChannel() {
    stop();
}

AudioOutput& SoundChannel::output() const {
    return system_->output();
}

bool SoundChannel::refuse_once_played(const char* refusal) const {
    if (state_ == kNew)
        return false;
    log_message(refusal);
    return true;
}

void SoundChannel::set_sound(Sound* sound) {
    if (!refuse_once_played("SoundChannel: Can't set sound to sound channel once played."))
        sound_.reset(sound);
}

void SoundChannel::set_looping(int looping) {
    if (!refuse_once_played("SoundChannel: Can't set sound channel looping once played."))
        looping_ = looping;
}

void SoundChannel::set_category(int category) {
    if (!refuse_once_played("SoundChannel: Can't set sound category once played."))
        category_ = category;
}

void SoundChannel::stop_on_release() {
    if (!refuse_once_played("SoundChannel: Can't set sound channel behavior once played."))
        stop_on_release_ = true;
}

void SoundChannel::set_volume(float volume) {
    volume_ = std::clamp(volume, 0.0f, 1.0f);
    if (state_ == kPlaying)
        send_volume();
}

void SoundChannel::send_volume() {
    if (handle_)
        output().set_volume(handle_, system_->category_volume(category_) * volume_);
}

void SoundChannel::play(SoundSystem& system) {
    if (state_ != kNew) {
        log_message("SoundChannel: Can't play sound channel twice.");
        return;
    }
    if (!system.is_open())
        return;
    state_ = kDone;
    if (!sound_) {
        log_message("SoundChannel: No sound to play.");
        return;
    }
    if (!sound_->ensure_loaded())
        return;
    if (category_ < 0)
        category_ = sound_->category();
    if (system.is_music(category_))
        system.stop_music();
    system_ = &system;
    switch (sound_->kind()) {
        case Sound::kSample:
            play_sample();
            break;
        case Sound::kStream:
            play_stream();
            break;
        default:
            log_message(message("SoundChannel: Unexpected sound type %1.",
                                static_cast<int>(sound_->kind())));
    }
}

void SoundChannel::play_sample() {
    const AudioResult<ChannelHandle> channel = output().sample_channel(sound_->sample());
    if (!channel.ok()) {
        // A sample played again within its minimum gap is skipped quietly.
        if (channel.error != AudioError::kTimeout) {
            log_message(
                message("SoundChannel: Can't get Bass channel to play sound '%1', error %2.",
                        sound_->get_def_name(), error_code(channel.error)));
        }
        return;
    }
    handle_ = channel.handle;
    apply_settings();
    if (output().play(handle_) != AudioError::kOk) {
        stop();
        log_message("SoundChannel: Can't play Bass channel.");
        return;
    }
    start_playing();
}

void SoundChannel::play_stream() {
    SharedString name("data/");
    name.append(sound_->file());
    const WidePath path(name);
    const AudioResult<ChannelHandle> stream = output().open_stream(path);
    if (!stream.ok()) {
        log_message(
            message("SoundChannel: Error creating Bass stream from file '%1' (error code %2).",
                    path, error_code(stream.error)));
        return;
    }
    handle_ = stream.handle;
    apply_settings();
    const AudioError error = output().play(handle_);
    if (error != AudioError::kOk) {
        const ChannelHandle failed = handle_;
        stop();
        output().free_stream(failed);
        log_message(message("SoundChannel: Error playing stream from file '%1' (error code %2).",
                            path, error_code(error)));
        return;
    }
    start_playing();
}

void SoundChannel::apply_settings() {
    if (looping_ >= 0)
        output().set_looping(handle_, looping_ > 0);
    send_volume();
}

void SoundChannel::start_playing() {
    state_ = kPlaying;
    system_->add_channel(*this);
}

bool SoundChannel::step() {
    if (state_ == kPlaying)
        step_playing();
    else if (state_ == kFadingOut)
        step_fading_out();
    return state_ == kPlaying || state_ == kFadingOut;
}

void SoundChannel::step_playing() {
    if (handle_ && !output().is_active(handle_))
        stop();
    if (!handle_) {
        state_ = kStopped;
        return;
    }
    if (is_held())
        return;
    const bool fades =
        output().is_looping(handle_) ? !system_->is_music(category_) : stop_on_release_;
    if (fades)
        fade_out();
}

void SoundChannel::step_fading_out() {
    if (!output().is_active(handle_) || !output().is_volume_sliding(handle_)) {
        stop();
        state_ = kStopped;
    }
}

void SoundChannel::fade_out() {
    output().slide_volume(handle_, 0.0f, kFadeMilliseconds);
    state_ = kFadingOut;
}

void SoundChannel::stop() {
    if (handle_)
        output().stop_channel(std::exchange(handle_, ChannelHandle{}));
}

}  // namespace tarn
