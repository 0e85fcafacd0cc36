#pragma once

#include <squirrel.h>

#include "scene/scene_callbacks.hpp"
#include "script/script_object.hpp"

namespace tarn {

class Scene;

// Scene callbacks delivered to the objects' script instances ("on_move_end", ...,
// "on_collision" with the other object's instance). Objects without an instance take none.
// A callback that raises an error does not stop the update: the other callbacks still run and
// the first error is kept for the caller to raise.
class ScriptSceneCallbacks final : public SceneCallbacks {
public:
    explicit ScriptSceneCallbacks(HSQUIRRELVM vm) : vm_(vm) {}

    bool has_receiver(const SceneObject& object) const override;
    void on_event(SceneObject& object, SceneEvent event) override;
    void on_collision(SceneObject& object, SceneObject& other) override;

    bool failed() const { return failed_; }
    // The first error a callback raised.
    const ScriptObject& error() const { return error_; }

private:
    template <typename... Args>
    void call(SceneObject& object, const char* name, const Args&... args);

    HSQUIRRELVM vm_;
    bool failed_ = false;
    ScriptObject error_;
};

// Scene.update(dt) for scripts: advances scene with the callbacks going to the scripts. Returns
// the native-function result: 0, or SQ_ERROR with the first error a callback raised.
SQInteger update_scene_from_script(HSQUIRRELVM vm, Scene& scene, float dt);

}  // namespace tarn
