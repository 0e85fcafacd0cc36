#pragma once

#include <span>
#include <vector>

#include "script/engine_object.hpp"

namespace tarn {

// Float channels keyed by time, from "g_curve_defs": key times in non-decreasing order and, per
// key, one value per channel. Evaluated with linear interpolation between the surrounding keys
// and clamped to the first and last key outside them.
//
// A curve that is not loaded, or failed to load, has no keys and no channels: its duration is 0
// and no channel can be evaluated.
class Curve : public EngineObject {
public:
    static ClassDescriptor class_descriptor;

    Curve() = default;
    ~Curve() override;
    const ClassDescriptor& descriptor() const override { return class_descriptor; }

    // Reads "keys", "data" and "time_scale"; on failure logs why and "Unable to load curve '...'.".
    bool load() override;

    int key_count() const { return key_count_; }
    int channel_count() const { return channel_count_; }
    // In non-decreasing order, unless the def gave a time that is not a number (NaN).
    std::span<const float> key_times() const {
        return {values_.data(), static_cast<std::size_t>(key_count_)};
    }
    // The last key time; 0 without keys.
    float duration() const;
    // Whether channels first .. first + count - 1 exist (count > 0).
    bool has_channels(int first, int count) const;
    // Writes the values of channels first .. first + out.size() - 1 at time into out. False,
    // writing nothing, when those channels are not all there.
    bool evaluate(float time, std::span<float> out, int first_channel) const;

private:
    friend class CurveLoader;

    float key_time(int key) const { return values_[static_cast<std::size_t>(key)]; }
    float value(int key, int channel) const {
        return values_[static_cast<std::size_t>(key_count_ + key * channel_count_ + channel)];
    }
    // The left and right keys around a time and the fraction of the way between them.
    struct KeySpan {
        int left;
        int right;
        float fraction;
    };
    KeySpan locate(float time) const;
    // Room for the keys and values of that shape, all 0.
    void reshape(int key_count, int channel_count);

    int key_count_ = 0;
    int channel_count_ = 0;
    // key_count_ key times, then the values key by key: all channels of key 0, then key 1, ...
    std::vector<float> values_;
};

}  // namespace tarn
