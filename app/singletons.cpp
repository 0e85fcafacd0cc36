#include "app/singletons.hpp"

#include "app/object_registry.hpp"
#include "audio/sdl_audio_output.hpp"
#include "audio/sound_system.hpp"
#include "core/game_loop.hpp"
#include "core/name_table.hpp"
#include "core/platform_state.hpp"
#include "core/std_file.hpp"
#include "core/wide_path.hpp"
#include "render/renderer.hpp"
#include "script/script_host.hpp"

namespace tarn {

namespace {

// Deliberately never deleted: objects still alive in the script VM may reach any of them until
// the very end, so none is torn down by static destruction at exit.
struct Singletons {
    Platform* platform = nullptr;
    WidePath* data_path = nullptr;
    Renderer* renderer = nullptr;
    ObjectRegistry* object_registry = nullptr;
    SoundSystem* sound_system = nullptr;
    ScriptHost* script_host = nullptr;
    NameTable* name_table = nullptr;
    GameLoop* game_loop = nullptr;
};

Singletons& singletons() {
    static Singletons instance;
    return instance;
}

}  // namespace

void create_singletons() {
    Singletons& s = singletons();
    s.platform = new Platform();
    s.data_path = new WidePath("data");
    s.renderer = new Renderer();
    s.object_registry = new ObjectRegistry();
    s.sound_system = new SoundSystem(std::make_unique<SdlAudioOutput>());
    s.script_host = new ScriptHost();
    s.name_table = new NameTable();
    s.game_loop = new GameLoop();
}

Platform& platform_state() {
    return *singletons().platform;
}
const WidePath& data_path() {
    return *singletons().data_path;
}
Renderer& renderer() {
    return *singletons().renderer;
}
CVarList& cvar_list() {
    return singletons().object_registry->cvars;
}
TextureList& texture_list() {
    return singletons().object_registry->textures;
}
FontList& font_list() {
    return singletons().object_registry->fonts;
}
OpenFileList& open_file_list() {
    return singletons().object_registry->open_files;
}
SoundSystem& sound_system() {
    return *singletons().sound_system;
}
ScriptHost& script_host() {
    return *singletons().script_host;
}
NameTable& name_table() {
    return *singletons().name_table;
}
GameLoop& game_loop() {
    return *singletons().game_loop;
}

}  // namespace tarn
