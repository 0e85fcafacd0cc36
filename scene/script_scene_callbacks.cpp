#include "scene/script_scene_callbacks.hpp"

#include "scene/scene.hpp"
#include "scene/scene_object.hpp"
#include "script/instance_binding.hpp"

namespace tarn {

namespace {

const char* callback_name(SceneEvent event) {
    switch (event) {
        case SceneEvent::kMoveEnd:
            return "on_move_end";
        case SceneEvent::kRotateEnd:
            return "on_rotate_end";
        case SceneEvent::kFadeAlphaEnd:
            return "on_fade_alpha_end";
        case SceneEvent::kOutOfArea:
            return "on_out_of_area";
        case SceneEvent::kAnimationEnd:
            return "on_animation_end";
    }
    return "";
}

}  // namespace

bool ScriptSceneCallbacks::has_receiver(const SceneObject& object) const {
    return object.has_instance();
}

void ScriptSceneCallbacks::on_event(SceneObject& object, SceneEvent event) {
    if (has_receiver(object))
        call(object, callback_name(event));
}

void ScriptSceneCallbacks::on_collision(SceneObject& object, SceneObject& other) {
    if (has_receiver(object) && has_receiver(other))
        call(object, "on_collision", &other);
}

template <typename... Args>
void ScriptSceneCallbacks::call(SceneObject& object, const char* name, const Args&... args) {
    if (call_method(vm_, &object, name, args...) || failed_)
        return;
    failed_ = true;
    sq_getlasterror(vm_);
    error_ = ScriptObject(vm_, -1);
    sq_poptop(vm_);
}

SQInteger update_scene_from_script(HSQUIRRELVM vm, Scene& scene, float dt) {
    ScriptSceneCallbacks callbacks(vm);
    scene.update(dt, &callbacks);
    if (!callbacks.failed())
        return 0;
    callbacks.error().push(vm);
    return sq_throwobject(vm);
}

}  // namespace tarn
