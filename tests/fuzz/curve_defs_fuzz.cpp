// Curve defs as the curve loader reads them, and evaluations of every curve that loads. The input
// (see def_stream.hpp, read with the curve vocabulary) fills "g_curve_defs"; every name is loaded
// and each of its channels evaluated before, across and after its keys, then everything is
// released again. Needs no display.
#include <cmath>
#include <limits>

#include "fuzz/def_script.hpp"
#include "fuzz/def_stream.hpp"
#include "fuzz/fuzz_support.hpp"
#include "fuzz/script_engine.hpp"
#include "resources/curve.hpp"
#include "resources/resource_loading.hpp"
#include "script/class_tables.hpp"
#include "script/script_host.hpp"

namespace tarn::fuzz {
namespace {

constexpr const char* kCurveDefTables[] = {"g_curve_defs"};

void check_key_order(const Curve& c) {
    const std::span<const float> keys = c.key_times();
    for (std::size_t i = 1; i < keys.size(); ++i) {
        if (!std::isnan(keys[i - 1]) && !std::isnan(keys[i]))
            require(keys[i - 1] <= keys[i], "key times never run backwards");
    }
}

void evaluate_everywhere(const Curve& c) {
    constexpr float kInf = std::numeric_limits<float>::infinity();
    const float times[] = {-kInf,        -1.0f,
                           0.0f,         0.5f,
                           c.duration(), c.duration() + 1.0f,
                           kInf,         std::numeric_limits<float>::quiet_NaN()};
    float out[8] = {};
    for (const float t : times) {
        for (int first = 0; first < c.channel_count(); ++first)
            require(c.evaluate(t, std::span(out, 1), first), "each channel evaluates");
        require(!c.evaluate(t, std::span(out, 1), c.channel_count()),
                "the channel past the last is refused");
    }
}

void load_and_evaluate(HSQUIRRELVM vm, const char* name) {
    const ObjectRef<Curve> c(get_or_create<Curve>(vm, name));
    const bool loaded = c->ensure_loaded();
    require(c->load_state() == (loaded ? EngineObject::kLoaded : EngineObject::kFailed),
            "a load ends loaded or failed");
    require(loaded == (c->key_count() > 0 && c->channel_count() > 0),
            "a curve has keys and channels exactly when it loaded");
    check_key_order(*c);
    evaluate_everywhere(*c);
}

}  // namespace
}  // namespace tarn::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tarn::fuzz::start_script_engine();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarn;
    HSQUIRRELVM vm = script_host().vm();
    const fuzz::DefInput input = fuzz::DefReader(data, size, fuzz::kCurveDefs).read();
    for (const fuzz::DefEntry& entry : input.entries)
        fuzz::define(vm, fuzz::kCurveDefTables[0], entry, fuzz::kCurveDefs);
    for (const char* name : fuzz::kDefNames)
        fuzz::load_and_evaluate(vm, name);
    fuzz::clear_defs(vm, fuzz::kCurveDefTables);
    for (const char* name : fuzz::kDefNames)
        fuzz::require(cache_lookup(Curve::class_descriptor, name) == nullptr,
                      "no released curve stays in a cache");
    return 0;
}
