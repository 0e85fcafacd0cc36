#include "resources/emitter_def.hpp"

#include <vector>

#include "core/log.hpp"
#include "core/message.hpp"

namespace tarn {

namespace {

constexpr float kDegreesPerTurn = 360.0f;

// A number n as n in every component, or the leading numbers of an array holding at least N of
// them; anything else gives fallback.
template <std::size_t N>
std::array<float, N> read_vector(const ScriptObject& value, std::array<float, N> fallback) {
    if (is_number(value)) {
        fallback.fill(to_float(value));
        return fallback;
    }
    std::array<float, N> out{};
    return read_numbers(value, out) >= static_cast<int>(N) ? out : fallback;
}

// A number (span 0) or an array [a, b, ...] (min a, span b - a); anything else gives fallback.
RandomRange read_range(const DefTable& def, const char* key, float fallback) {
    const ScriptObject value = def.get(key);
    if (is_number(value))
        return {to_float(value), 0.0f};
    std::array<float, 2> ends{};
    if (read_numbers(value, ends) >= 2)
        return {ends[0], ends[1] - ends[0]};
    return {fallback, 0.0f};
}

RandomRange in_turns(RandomRange degrees) {
    return {degrees.min / kDegreesPerTurn, degrees.span / kDegreesPerTurn};
}

float number_or_one(const ScriptObject& value) {
    return is_number(value) ? to_float(value) : 1.0f;
}

// A run key and the message that refuses an array of another length than two.
struct RunKey {
    const char* key;
    const char* broken;
};

constexpr RunKey kAlphaRun = {"alpha_run",
                              "Emitter %1: Only alpha_run=[start,end] supported for now."};
constexpr RunKey kColorRun = {"color_run",
                              "Emitter %1: Only color_run=[start,end] supported for now."};
constexpr RunKey kScaleRun = {"scale_run",
                              "Emitter %1: Only scale_run=[start,end] supported for now."};
constexpr RunKey kOcclusionRun = {"occlusion_run",
                                  "Emitter %1: Only occlusion_run=[start,end] supported for now."};

// What a run key holds.
struct RunValue {
    enum Kind { kOther, kNumber, kPair, kBroken };
    Kind kind = kOther;
    float number = 0.0f;
    std::vector<ScriptObject> ends;  // kPair: start, end
};

// Carries one read of an emitter def's keys.
class EmitterDefReader {
public:
    EmitterDefReader(const DefTable& def, const SharedString& name, Emitter2dResource& emitter)
        : def_(def), name_(name), e_(emitter) {}

    bool run(bool sprites_timed);

private:
    void read_spawning();
    void read_flight();
    void settle_duration(bool sprites_timed);
    RunValue run_value(const RunKey& run) const;
    bool read_alpha_run();
    template <std::size_t N>
    bool read_vector_run(const RunKey& run, LifeRun<std::array<float, N>>& out, std::uint32_t flag);
    bool read_occlusion_run();
    void log(const char* text) const { log_message(message(text, name_)); }

    const DefTable& def_;
    const SharedString& name_;
    Emitter2dResource& e_;
};

bool EmitterDefReader::run(bool sprites_timed) {
    e_.flags = 0;
    read_spawning();
    read_flight();
    settle_duration(sprites_timed);
    return read_alpha_run() &&
           read_vector_run(kColorRun, e_.color_run, Emitter2dResource::kColorRun) &&
           read_vector_run(kScaleRun, e_.scale_run, Emitter2dResource::kScaleRun) &&
           read_occlusion_run();
}

void EmitterDefReader::read_spawning() {
    e_.initial_delay = def_.number("initial_delay", -1.0f);
    e_.spawn_rate = read_range(def_, "spawn_rate", 1.0f);
    e_.spawn_duration = def_.number("spawn_duration", -1.0f);
    e_.spawn_box = read_vector<2>(def_.get("spawn_box"), {0.0f, 0.0f});
    if (e_.spawn_box[0] != 0.0f || e_.spawn_box[1] != 0.0f)
        e_.flags |= Emitter2dResource::kSpawnBox;
}

void EmitterDefReader::read_flight() {
    RandomRange direction = read_range(def_, "direction", 0.0f);
    const float spread = def_.number("spread", 0.0f);
    direction.min -= spread / 2;
    direction.span += spread;
    e_.direction = in_turns(direction);
    e_.speed = read_range(def_, "speed", 0.0f);
    e_.gravity = read_range(def_, "gravity", 1.0f);
    e_.duration = read_range(def_, "duration", 0.0f);
    e_.angle = in_turns(read_range(def_, "angle", 0.0f));
    e_.rotation_speed = def_.number("rotation_speed", 0.0f) / kDegreesPerTurn;
    e_.alpha = read_range(def_, "alpha", 1.0f);
}

// A minimum that is not above 0 means "the sprite's own duration", which every sprite must then
// have.
void EmitterDefReader::settle_duration(bool sprites_timed) {
    RandomRange& d = e_.duration;
    if (!(d.min > 0.0f)) {
        d.span = 0.0f;
        if (!sprites_timed) {
            log("Emitter %1: Negative particle duration requires all sprites to be animated.");
            d.min = 1.0f;
        }
    } else if (!(d.span >= 0.0f)) {
        log("Emitter %1: Invalid particle duration range.");
        d.span = 0.0f;
    }
}

RunValue EmitterDefReader::run_value(const RunKey& run) const {
    const ScriptObject value = def_.get(run.key);
    RunValue out;
    if (is_number(value)) {
        out.kind = RunValue::kNumber;
        out.number = to_float(value);
    } else if (value.type() == OT_ARRAY) {
        out.ends = elements_of(value);
        out.kind = out.ends.size() == 2 ? RunValue::kPair : RunValue::kBroken;
        if (out.kind == RunValue::kBroken)
            log(run.broken);
    }
    return out;
}

// A number m scales the alpha range by m instead.
bool EmitterDefReader::read_alpha_run() {
    const RunValue run = run_value(kAlphaRun);
    if (run.kind == RunValue::kNumber) {
        const float m = run.number;
        RandomRange& a = e_.alpha;
        a = {m * a.min, m * (a.min + a.span) - m * a.min};
    } else if (run.kind == RunValue::kPair) {
        e_.alpha_run = {number_or_one(run.ends[0]), number_or_one(run.ends[1])};
        e_.flags |= Emitter2dResource::kAlphaRun;
    }
    return run.kind != RunValue::kBroken;
}

// Each end an array of N numbers or one number for all; anything else gives zeros. A value that
// is not an array is ignored.
template <std::size_t N>
bool EmitterDefReader::read_vector_run(const RunKey& run, LifeRun<std::array<float, N>>& out,
                                       std::uint32_t flag) {
    const RunValue value = run_value(run);
    if (value.kind == RunValue::kPair) {
        out = {read_vector<N>(value.ends[0], {}), read_vector<N>(value.ends[1], {})};
        e_.flags |= flag;
    }
    return value.kind != RunValue::kBroken;
}

bool EmitterDefReader::read_occlusion_run() {
    const RunValue run = run_value(kOcclusionRun);
    if (run.kind == RunValue::kNumber)
        e_.occlusion_run = {run.number, run.number};
    else if (run.kind == RunValue::kPair)
        e_.occlusion_run = {number_or_one(run.ends[0]), number_or_one(run.ends[1])};
    if (run.kind == RunValue::kNumber || run.kind == RunValue::kPair)
        e_.flags |= Emitter2dResource::kOcclusionRun;
    return run.kind != RunValue::kBroken;
}

}  // namespace

bool read_emitter_keys(const DefTable& def, const SharedString& name, bool sprites_timed,
                       Emitter2dResource& emitter) {
    return EmitterDefReader(def, name, emitter).run(sprites_timed);
}

}  // namespace tarn
