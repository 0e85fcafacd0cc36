#include "app/class_registration.hpp"

#include "audio/sound_channel_script.hpp"
#include "audio/sound_script.hpp"
#include "render/camera_script.hpp"
#include "render/view2d_script.hpp"
#include "resources/emitter_script.hpp"
#include "resources/font_script.hpp"
#include "resources/shader.hpp"
#include "resources/sprite_script.hpp"
#include "resources/texture_script.hpp"
#include "scene/scene_object_script.hpp"
#include "scene/scene_script.hpp"
#include "script/engine_object_script.hpp"
#include "script/file_script.hpp"
#include "script/game_object_script.hpp"
#include "script/http_post_script.hpp"
#include "script/time_script.hpp"
#include "script/vector_math_script.hpp"
#include "ui/ui_label_script.hpp"
#include "ui/ui_root_script.hpp"
#include "ui/ui_sprite_script.hpp"
#include "ui/ui_widget_script.hpp"

namespace tarn {

namespace {

// Shader has no script class: scripts reach it only through its tables. Naming its descriptor
// here links it (and so its tables) into every program that registers the engine classes.
[[gnu::used]] const ClassDescriptor* const kTableOnlyClasses[] = {&Shader::class_descriptor};

}  // namespace

// Order matters: a class must exist before the classes that extend it. After EngineObject come
// its direct subclasses (Texture, Font, Sound, SoundChannel, Sprite, Curve, Emitter2dResource,
// HTTPPost, File, View2d, Camera, Time), then the vector math classes, GameObject, the scene
// classes and the UI classes.
void register_engine_classes(HSQUIRRELVM vm) {
    register_engine_object_class(vm);
    register_texture_class(vm);
    register_font_class(vm);
    register_sound_class(vm);
    register_sound_channel_class(vm);
    register_sprite_class(vm);
    register_emitter_class(vm);
    register_http_post_class(vm);
    register_file_class(vm);
    register_view2d_class(vm);
    register_camera_class(vm);
    register_time_class(vm);
    register_vector_math(vm);
    register_game_object_class(vm);
    register_scene_class(vm);
    register_scene_object_class(vm);
    register_ui_class(vm);
    register_ui_widget_class(vm);
    register_ui_label_class(vm);
    register_ui_sprite_class(vm);
}

}  // namespace tarn
