#include "audio/sound_system.hpp"

#include <algorithm>

#include "core/cvar_list.hpp"
#include "core/log.hpp"
#include "core/message.hpp"

namespace tarn {

void SoundSystem::init(CVarList& cvars) {
    for (int i = 0; i < kCategoryCount; ++i) {
        category_volumes_[i] = &cvars.register_float(message("sound_volume_%1", i).data(), 1.0f);
    }
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
    open_ = true;
}

void SoundSystem::shutdown() {
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

void SoundSystem::set_category_volume(CVarList& cvars, int category, float volume) {
    if (static_cast<unsigned>(category) >= kCategoryCount)
        return;
    cvars.set_float(message("sound_volume_%1", category).data(), volume);
    apply_category_volumes();
}

}  // namespace tarn
