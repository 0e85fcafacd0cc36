#pragma once

#include <cstdint>

#include "audio/audio_output.hpp"
#include "core/shared_string.hpp"
#include "script/engine_object.hpp"

namespace tarn {

class SoundSystem;

// A sound from "g_sound_defs": a sample decoded into memory when it loads (short effects, played
// many times, several at once), or a stream read from its file at each play (music). While the
// audio device is not open, and after a failed load, it is silent.
//
// Def keys: "file" (below "data", default the def's name), "streaming" (default false),
// "category" (0..7, default 0) and "mingap" (seconds between two starts of a sample).
class Sound : public EngineObject {
public:
    enum Kind : std::int32_t { kSilent = 0, kSample = 1, kStream = 2 };

    // At most this many channels play one sample at once.
    static constexpr int kMaxPlaybacks = 8;

    static ClassDescriptor class_descriptor;

    Sound() = default;
    ~Sound() override;
    const ClassDescriptor& descriptor() const override { return class_descriptor; }

    // Loads from the def; on failure logs why and "Unable to load sound '...'.".
    bool load() override;

    Kind kind() const { return kind_; }
    int category() const { return category_; }
    SampleHandle sample() const { return sample_; }
    // The file below "data".
    const SharedString& file() const { return file_; }

private:
    bool load_sample(SoundSystem& system, float min_gap);
    bool fail(const SharedString& name);
    void free_sample();

    Kind kind_ = kSilent;
    int category_ = 0;
    SampleHandle sample_;
    SharedString file_;
    // The system whose output holds the sample.
    SoundSystem* system_ = nullptr;
};

}  // namespace tarn
