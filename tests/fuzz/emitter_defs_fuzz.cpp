// Emitter defs as the emitter loader reads them, and a short play of each emitter that loads.
// The input (see def_stream.hpp, read with the emitter vocabulary) fills "g_emitter_defs"; the
// sprites it may name are defined once, on the null texture, so the target needs no display.
// Every name is loaded, played for a second (updates as the frame loop clamps them), stopped and
// played out, then everything is released again.
#include <string_view>

#include "fuzz/def_script.hpp"
#include "fuzz/def_stream.hpp"
#include "fuzz/fuzz_support.hpp"
#include "fuzz/script_engine.hpp"
#include "resources/emitter.hpp"
#include "resources/resource_loading.hpp"
#include "script/class_tables.hpp"
#include "script/script_host.hpp"

namespace tarn::fuzz {
namespace {

constexpr const char* kEmitterDefTables[] = {"g_emitter_defs"};

// Static, timed, animated (one with frames of next to no time) and broken sprites.
constexpr std::string_view kSprites =
    "::g_texture_defs.none <- { _special_ = \"_null_\" };"
    "::g_sprite_defs.still <- { texture = \"none\" };"
    "::g_sprite_defs.timed <- { texture = \"none\", duration = 0.5 };"
    "::g_sprite_defs.anim <- { frames = [\"timed\", \"still\"], duration = 1, loop = true };"
    "::g_sprite_defs.flicker <- { frames = [[\"timed\", 1e-30], [\"still\", 0]], loop = true };"
    "::g_sprite_defs.broken <- { duration = 1 };";

void define_sprites() {
    ScriptHost& host = script_host();
    const ScriptObject closure =
        host.compile(kSprites.data(), static_cast<SQInteger>(kSprites.size()), "sprites");
    require(!closure.is_null() && host.call(closure, ScriptObject(), nullptr),
            "the target's sprites are defined");
}

void check_loaded(const Emitter2dResource& e) {
    require(!e.sprites.empty(), "a loaded emitter has sprites");
    require((e.flags & ~0x3Eu) == 0, "only the known flags are set");
    require(e.duration.span >= 0.0f, "the particle duration range never runs backwards");
}

void play(Emitter2dResource* e) {
    EmitterState state;
    state.set_resource(e);
    for (int i = 0; i < 10; ++i)
        state.update(0.1f, static_cast<float>(i), 0.0f);
    state.stop();
    for (int i = 0; i < 3; ++i)
        state.update(0.1f, 0.0f, 0.0f);
    require(state.particle_count() >= 0 && state.particle_count() <= EmitterState::kMaxParticles,
            "particles stay within bounds");
    state.clear();
    require(state.is_finished() && state.particle_count() == 0, "a cleared state is finished");
}

void load_and_play(HSQUIRRELVM vm, const char* name) {
    const ObjectRef<Emitter2dResource> e(get_or_create<Emitter2dResource>(vm, name));
    const bool loaded = e->ensure_loaded();
    require(e->load_state() == (loaded ? EngineObject::kLoaded : EngineObject::kFailed),
            "a load ends loaded or failed");
    if (loaded)
        check_loaded(*e);
    else
        require(e->sprites.empty(), "a failed emitter holds no sprites");
    play(e.get());
}

}  // namespace
}  // namespace tarn::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    using namespace tarn;
    fuzz::start_script_engine();
    fuzz::define_sprites();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarn;
    HSQUIRRELVM vm = script_host().vm();
    const fuzz::DefInput input = fuzz::DefReader(data, size, fuzz::kEmitterDefs).read();
    for (const fuzz::DefEntry& entry : input.entries)
        fuzz::define(vm, fuzz::kEmitterDefTables[0], entry, fuzz::kEmitterDefs);
    for (const char* name : fuzz::kDefNames)
        fuzz::load_and_play(vm, name);
    fuzz::clear_defs(vm, fuzz::kEmitterDefTables);
    for (const char* name : fuzz::kDefNames)
        fuzz::require(cache_lookup(Emitter2dResource::class_descriptor, name) == nullptr,
                      "no released emitter stays in a cache");
    return 0;
}
