#include "resources/curve.hpp"

#include <cstdint>

#include "core/log.hpp"
#include "core/message.hpp"
#include "resources/def_table.hpp"

namespace tarn {

ClassDescriptor Curve::class_descriptor("Curve", &EngineObject::class_descriptor,
                                        "curve_def_to_obj", "g_curve_defs", nullptr,
                                        []() -> EngineObject* { return new Curve; });

namespace {

// Array elements that are not numbers read as 0.
float number_or_zero(const ScriptObject& value) {
    return is_number(value) ? to_float(value) : 0.0f;
}

}  // namespace

// Carries one load of a curve from its def.
class CurveLoader {
public:
    explicit CurveLoader(Curve& curve)
        : c_(curve), def_(curve.get_def()), name_(curve.get_def_name()) {}

    // False after logging the reason.
    bool run();

private:
    bool fail(const char* text) const {
        log_message(message(text, name_));
        return false;
    }
    float time_scale() const;
    void read_times(const std::vector<ScriptObject>& keys, float scale);
    void read_values(const std::vector<ScriptObject>& data);

    Curve& c_;
    DefTable def_;
    SharedString name_;
};

bool CurveLoader::run() {
    if (def_.is_null())
        return fail("No def for curve '%1'.");
    const ScriptObject keys = def_.get("keys");
    if (keys.type() != OT_ARRAY)
        return fail("Curve '%1': Invalid keys.");
    const std::vector<ScriptObject> times = elements_of(keys);
    if (times.empty())
        return fail("Curve '%1': invalid number of keys.");
    const ScriptObject data = def_.get("data");
    if (data.type() != OT_ARRAY)
        return fail("Curve '%1': Invalid data.");
    const std::vector<ScriptObject> values = elements_of(data);
    if (values.empty() || values.size() % times.size() != 0)
        return fail("Curve '%1': Invalid number of data values.");
    c_.reshape(static_cast<int>(times.size()), static_cast<int>(values.size() / times.size()));
    read_times(times, time_scale());
    read_values(values);
    return true;
}

float CurveLoader::time_scale() const {
    const float scale = def_.number("time_scale", 1.0f);
    return scale > 0.0f ? scale : 0.0f;
}

// The times after a key that breaks the order are not read: they repeat the last ordered time,
// so the keys stay ordered for the search and the duration is the last ordered time.
void CurveLoader::read_times(const std::vector<ScriptObject>& keys, float scale) {
    float previous = 0.0f;
    bool sorted = true;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const float time = number_or_zero(keys[i]) * scale;
        if (sorted && i > 0 && time < previous) {
            log_message(message("Curve '%1': keys are not sorted.", name_));
            sorted = false;
        }
        if (sorted)
            previous = time;
        c_.values_[i] = previous;
    }
}

// The def lists the values channel by channel; the curve keeps them key by key.
void CurveLoader::read_values(const std::vector<ScriptObject>& data) {
    const std::size_t keys = static_cast<std::size_t>(c_.key_count_);
    const std::size_t channels = static_cast<std::size_t>(c_.channel_count_);
    for (std::size_t c = 0; c < channels; ++c) {
        for (std::size_t k = 0; k < keys; ++k)
            c_.values_[keys + k * channels + c] = number_or_zero(data[c * keys + k]);
    }
}

Curve::~Curve() = default;

bool Curve::load() {
    reshape(0, 0);
    if (!CurveLoader(*this).run()) {
        reshape(0, 0);
        set_load_state(kFailed);
        log_message(message("Unable to load curve '%1'.", get_def_name()));
        return false;
    }
    set_load_state(kLoaded);
    return true;
}

void Curve::reshape(int key_count, int channel_count) {
    key_count_ = key_count;
    channel_count_ = channel_count;
    values_.assign(static_cast<std::size_t>(key_count) * (1 + channel_count), 0.0f);
}

float Curve::duration() const {
    return key_count_ > 0 ? key_time(key_count_ - 1) : 0.0f;
}

bool Curve::has_channels(int first, int count) const {
    return first >= 0 && count >= 0 && std::int64_t{first} + count <= std::int64_t{channel_count_};
}

Curve::KeySpan Curve::locate(float time) const {
    int lo = 0;
    int hi = key_count_ - 1;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (time < key_time(mid)) {
            hi = mid;
        } else if (time < key_time(mid + 1)) {
            return {mid, mid + 1, (time - key_time(mid)) / (key_time(mid + 1) - key_time(mid))};
        } else {
            lo = mid + 1;
        }
    }
    // Before the first key or at and after the last one.
    return {lo, lo, 0.0f};
}

bool Curve::evaluate(float time, std::span<float> out, int first_channel) const {
    if (!has_channels(first_channel, static_cast<int>(out.size())))
        return false;
    const KeySpan span = locate(time);
    for (std::size_t j = 0; j < out.size(); ++j) {
        const int channel = first_channel + static_cast<int>(j);
        const float left = value(span.left, channel);
        out[j] = left + span.fraction * (value(span.right, channel) - left);
    }
    return true;
}

}  // namespace tarn
