#pragma once

namespace tarn {

class SceneObject;

// What a scene update reports about one object; collisions are reported on their own.
enum class SceneEvent { kMoveEnd, kRotateEnd, kFadeAlphaEnd, kOutOfArea, kAnimationEnd };

// Where Scene::update sends its callbacks. The script side implements it by calling the object's
// script instance ("on_move_end", "on_rotate_end", "on_fade_alpha_end", "on_out_of_area",
// "on_animation_end", "on_collision"); tests record the calls. A callback may create, move,
// release and destroy objects and scenes, the updating scene included: the update keeps what it
// still works on alive until it is done with it.
class SceneCallbacks {
public:
    // Whether object takes callbacks at all (for scripts: it has a script instance). Asked only
    // when something happened to the object; no event is kept for an object without one.
    virtual bool has_receiver(const SceneObject& object) const = 0;
    virtual void on_event(SceneObject& object, SceneEvent event) = 0;
    // object's mask matched other's bits and their collision circles overlap.
    virtual void on_collision(SceneObject& object, SceneObject& other) = 0;

protected:
    ~SceneCallbacks() = default;
};

}  // namespace tarn
