#include "audio/sound_system.hpp"

#include <algorithm>

#include "core/cvar_list.hpp"
#include "core/message.hpp"

namespace tarn {

void SoundSystem::init(CVarList& cvars) {
    for (int i = 0; i < kCategoryCount; ++i) {
        category_volumes_[i] = &cvars.register_float(message("sound_volume_%1", i).data(), 1.0f);
    }
    cvars.register_integer("sound_device", -1);
    cvars.register_integer("ipod_music", 0);
}

void SoundSystem::shutdown() {
    category_volumes_.fill(nullptr);
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
