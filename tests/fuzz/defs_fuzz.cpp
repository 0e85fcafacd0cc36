// Texture and sprite defs as the resource loaders read them. The input (see def_stream.hpp)
// fills "g_texture_defs" and "g_sprite_defs"; then every name is loaded as a sprite and as a
// texture, and everything is released again.
//
// Textures need OpenGL: the target opens a small window once, so it runs under an X display
// (tools/with-display), and from tests/fuzz, whose data folder holds the image files that defs
// name.
#include <vector>

#include "core/cvar_list.hpp"
#include "fuzz/def_script.hpp"
#include "fuzz/def_stream.hpp"
#include "fuzz/fuzz_support.hpp"
#include "fuzz/fuzz_window.hpp"
#include "fuzz/script_engine.hpp"
#include "resources/resource_loading.hpp"
#include "resources/sprite.hpp"
#include "resources/texture.hpp"
#include "script/class_tables.hpp"
#include "script/script_host.hpp"

namespace tarn::fuzz {
namespace {

constexpr const char* kDefTables[] = {"g_texture_defs", "g_sprite_defs"};

// Loads every name both ways, keeping each result only as long as the loaders would.
void load_everything(HSQUIRRELVM vm) {
    std::vector<ObjectRef<EngineObject>> held;
    for (const char* name : kDefNames) {
        held.emplace_back(get_or_load<Sprite>(vm, name));
        held.emplace_back(get_or_load<Texture>(vm, name));
    }
}

}  // namespace
}  // namespace tarn::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    using namespace tarn;
    fuzz::start_script_engine();
    fuzz::open_window();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarn;
    HSQUIRRELVM vm = script_host().vm();
    const fuzz::DefInput input = fuzz::DefReader(data, size).read();
    cvar_list().set_string("textures_format",
                           SharedString(fuzz::kTextureFormats[input.textures_format]));
    for (const fuzz::DefEntry& entry : input.entries)
        fuzz::define(vm, fuzz::kDefTables[entry.sprite ? 1 : 0], entry,
                     fuzz::kTextureAndSpriteDefs);
    fuzz::load_everything(vm);
    fuzz::clear_defs(vm, fuzz::kDefTables);

    fuzz::require(first_texture() == nullptr, "no texture outlives its last reference");
    for (const char* name : fuzz::kDefNames)
        fuzz::require(cache_lookup(Sprite::class_descriptor, name) == nullptr &&
                          cache_lookup(Texture::class_descriptor, name) == nullptr,
                      "no released object stays in a cache");
    return 0;
}
