#include "audio/sound_system.hpp"

#include <algorithm>

#include "audio/sound_channel.hpp"
#include "core/cvar_list.hpp"
#include "core/log.hpp"
#include "core/message.hpp"

namespace tarn {

namespace {

SharedString volume_name(int category) {
    return message("sound_volume_%1", category);
}

}  // namespace

void SoundSystem::init(CVarList& cvars) {
    cvars_ = &cvars;
    for (int i = 0; i < kCategoryCount; ++i)
        category_volumes_[i] = &cvars.register_float(volume_name(i).data(), 1.0f);
    const int device = cvars.register_integer("sound_device", -1).integer_value();
    cvars.register_integer("ipod_music", 0);
    start_device(device);
}

void SoundSystem::start_device(int device) {
    if (device == 0)
        return;
    const AudioError error = output_->start_device(device, kMixingRate);
    if (error != AudioError::kOk) {
        log_message(message("Unable to initialize Bass audio (error code %1)", error_code(error)));
        return;
    }
    log_device();
    open_ = true;
}

void SoundSystem::log_device() {
    int count = 0;
    while (const std::optional<std::string> name = output_->device_name(count)) {
        log_message(message("Sound device %1: %2", count, name->c_str()));
        ++count;
    }
    log_message(message("Sound device count: %1", count));
    const AudioOutputInfo info = output_->output_info();
    log_message(message("..playback buffer length: %1", info.buffer_length_ms));
    log_message(message("..playback update period: %1", info.update_period_ms));
    log_message(message("..playback threads: %1", info.update_threads));
    if (info.min_buffer_ms != -1)
        log_message(message("..playback minimum buffer length: %1", info.min_buffer_ms));
    log_message("Bass audio successfully opened.");
    log_message(message("..mixing frequency %1", kMixingRate));
}

void SoundSystem::shutdown() {
    while (SoundChannel* channel = channels_.first()) {
        channel->stop();
        drop(*channel);
    }
    cvars_ = nullptr;
    category_volumes_.fill(nullptr);
    if (open_) {
        output_->stop_device();
        open_ = false;
    }
}

float SoundSystem::category_volume(int category) const {
    if (static_cast<unsigned>(category) >= kCategoryCount || !category_volumes_[category]) {
        return 1.0f;
    }
    const float volume = std::clamp(category_volumes_[category]->float_value(), 0.0f, 1.0f);
    return volume < 0.01f ? 0.0f : volume;
}

void SoundSystem::set_category_volume(int category, float volume) {
    if (static_cast<unsigned>(category) >= kCategoryCount || cvars_ == nullptr)
        return;
    cvars_->set_float(volume_name(category).data(), volume);
    apply_category_volumes();
}

void SoundSystem::apply_category_volumes() {
    for (SoundChannel* c = channels_.first(); c != nullptr; c = SoundChannelList::next(*c)) {
        if (c->state() == SoundChannel::kPlaying)
            c->send_volume();
    }
}

bool SoundSystem::is_music_playing() const {
    for (SoundChannel* c = channels_.first(); c != nullptr; c = SoundChannelList::next(*c)) {
        if (c->state() == SoundChannel::kPlaying && is_music(c->category()))
            return true;
    }
    return false;
}

void SoundSystem::stop_music() {
    for (SoundChannel* c = channels_.first(); c != nullptr; c = SoundChannelList::next(*c)) {
        if (c->state() == SoundChannel::kPlaying && is_music(c->category()))
            c->fade_out();
    }
}

void SoundSystem::add_channel(SoundChannel& channel) {
    channels_.append(channel);
    channel.set_persistent(true);
}

void SoundSystem::update() {
    SoundChannel* next = nullptr;
    for (SoundChannel* c = channels_.first(); c != nullptr; c = next) {
        next = SoundChannelList::next(*c);
        if (!c->step())
            drop(*c);
    }
}

void SoundSystem::drop(SoundChannel& channel) {
    channels_.remove(channel);
    channel.set_persistent(false);
    if (!channel.is_held())
        channel.destroy();
}

}  // namespace tarn
