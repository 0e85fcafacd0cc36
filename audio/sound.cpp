#include "audio/sound.hpp"

#include <algorithm>

#include "audio/sound_system.hpp"
#include "core/log.hpp"
#include "core/message.hpp"
#include "core/std_file.hpp"
#include "resources/def_table.hpp"

namespace tarn {

ClassDescriptor Sound::class_descriptor("Sound", &EngineObject::class_descriptor, "sound_to_obj",
                                        "g_sound_defs", nullptr,
                                        []() -> EngineObject* { return new Sound; });

namespace {

// A minimum gap in whole milliseconds, truncated; gaps beyond any use are capped.
int gap_milliseconds(float seconds) {
    return static_cast<int>(std::min(seconds * 1000.0f, 1e9f));
}

}  // namespace

Sound::~Sound() {
    free_sample();
}

void Sound::free_sample() {
    if (sample_)
        system_->output().free_sample(sample_);
    sample_ = SampleHandle{};
}

bool Sound::load() {
    free_sample();
    const SharedString name = get_def_name();
    const DefTable def(get_def());
    if (def.is_null()) {
        log_message(message("No def for sound '%1'.", name));
        return fail(name);
    }
    SoundSystem& system = sound_system();
    kind_ = !system.is_open() ? kSilent : def.boolean("streaming", false) ? kStream : kSample;
    file_ = def.string("file");
    if (file_.empty())
        file_ = name;
    category_ = def.integer("category", 0);
    if (static_cast<unsigned>(category_) >= SoundSystem::kCategoryCount) {
        log_message(message("Invalid category %1 for sound '%2'.", category_, name));
        category_ = 0;
    }
    if (kind_ == kSample && !load_sample(system, def.number("mingap", 0.0f)))
        return fail(name);
    set_load_state(kLoaded);
    return true;
}

bool Sound::load_sample(SoundSystem& system, float min_gap) {
    Bytes bytes;
    if (!read_data_file(file_, bytes))
        return false;
    AudioOutput& output = system.output();
    const AudioResult<SampleHandle> sample = output.load_sample(bytes, kMaxPlaybacks);
    if (!sample.ok()) {
        log_message(
            message("Error loading Bass sample (error code %1).", error_code(sample.error)));
        return false;
    }
    sample_ = sample.handle;
    system_ = &system;
    const int gap = min_gap > 0.0f ? gap_milliseconds(min_gap) : 0;
    if (gap == 0)
        return true;
    const AudioError error = output.set_min_gap(sample_, gap);
    if (error != AudioError::kOk) {
        log_message(
            message("Error setting mingap of Bass sample (error code %1).", error_code(error)));
    }
    return true;
}

bool Sound::fail(const SharedString& name) {
    kind_ = kSilent;
    category_ = 0;
    set_load_state(kFailed);
    log_message(message("Unable to load sound '%1'.", name));
    return false;
}

}  // namespace tarn
