#pragma once

namespace tarn {

struct Platform;
struct GameLoop;
struct ObjectRegistry;
class WidePath;
class Renderer;
class SoundSystem;
class ScriptHost;
class NameTable;

// The engine's process-wide objects. create_singletons builds them in this order (after the log
// holder, which exists from the start); they live until the process ends.
void create_singletons();

Platform& platform_state();
const WidePath& data_path();
Renderer& renderer();
ObjectRegistry& object_registry();
SoundSystem& sound_system();
ScriptHost& script_host();
NameTable& name_table();
GameLoop& game_loop();

}  // namespace tarn
