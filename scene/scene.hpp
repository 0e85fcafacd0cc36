#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "render/view2d.hpp"
#include "scene/pin_count.hpp"
#include "scene/scene_callbacks.hpp"
#include "script/engine_object.hpp"
#include "script/object_ref.hpp"

namespace tarn {

class Renderer;
class SceneObject;

// An ordered collection of scene objects in 33 draw layers (-16 .. 16), each a list in the order
// the objects joined it. Lower layers draw behind higher ones, later objects over earlier ones.
// The scene holds no references to its objects; destroying it takes every object out.
class Scene : public EngineObject {
public:
    static constexpr int kLayerCount = 33;

    static ClassDescriptor class_descriptor;

    Scene() = default;
    ~Scene() override;
    const ClassDescriptor& descriptor() const override { return class_descriptor; }

    // Appends object to the end of its layer's list (leaving its old scene first); nothing
    // when it already belongs to this scene.
    void add(SceneObject& object);
    // Takes object out of its layer's list; it belongs to no scene afterwards.
    void remove(SceneObject& object);

    View2d* view() const { return view_.get(); }
    void set_view(View2d* view) { view_.reset(view); }

    // Layers are -16 .. 16; others are clamped.
    SceneObject* first(int layer) const { return layers_[index_of(layer)].first; }
    SceneObject* last(int layer) const { return layers_[index_of(layer)].last; }
    int count(int layer) const { return layers_[index_of(layer)].count; }

    // Orders a layer by the world y of each object's root ancestor, keeping the order of ties.
    void sort_layer(int layer);

    // Advances every object by dt seconds: fades, rotations, moves, animations, emitters, area
    // tests, then the events of the walk and the collision pass, reported through callbacks
    // (none: nothing is reported). Callbacks may change or destroy anything, this scene
    // included; each object still in the scene is advanced once.
    void update(float dt, SceneCallbacks* callbacks);

    // Draws every enabled object through the view into the renderer's quad batch, binding the
    // window of window_width x window_height pixels first. Without a view, nothing.
    void render_2d(Renderer& renderer, int window_width, int window_height);

private:
    struct Layer {
        SceneObject* first = nullptr;
        SceneObject* last = nullptr;
        std::int32_t count = 0;
        // Sorts so far: a walk resumes from the top of a layer that was reordered under it.
        std::uint32_t sorts = 0;
    };
    // An object with events waiting for the end of the layer walk; it stays pinned until then.
    struct EventRecord {
        SceneObject* object;
        std::uint32_t events;
    };
    // One side of a collision; both objects are held until the callbacks are done.
    struct CollisionRecord {
        ObjectRef<SceneObject> object;
        ObjectRef<SceneObject> other;
    };
    struct WorldCircle {
        float x, y, radius;
    };
    // An object taking part in the collision pass, with its circles in world space and one
    // circle around them all (the circle itself when there is one).
    struct Collider {
        SceneObject* object;
        std::int32_t bits;
        std::int32_t mask;
        WorldCircle bound;
        std::uint32_t first_circle;
        std::uint32_t end_circle;
    };
    // The object the update walk is on and what it holds while callbacks may run.
    struct WalkStep {
        SceneObject* current;
        SceneObject* successor;
        bool current_pinned;
        bool held = false;        // current and successor pinned
        std::uint32_t sorts = 0;  // of the layer when they were
    };
    struct SortEntry {
        float key;  // world y of the root ancestor
        std::int32_t order;
        SceneObject* object;
    };

    friend class SceneObject;

    static int index_of(int layer);
    void append(SceneObject& object, int layer);
    void unlink(SceneObject& object);
    void update_layer(int index, float dt, SceneCallbacks* callbacks, std::uint32_t pass);
    void hold(WalkStep& step, int index);
    std::uint32_t advance_object(WalkStep& step, int index, float dt, SceneCallbacks* callbacks);
    SceneObject* step_on(const WalkStep& step, int index, std::uint32_t pass);
    SceneObject* continue_walk(SceneObject* current, SceneObject* successor, int index,
                               std::uint32_t pass) const;
    // next, or the first object after it that this pass has not advanced yet.
    static SceneObject* skip_advanced(SceneObject* next, std::uint32_t pass);
    void finish_object(SceneObject& object, std::uint32_t events, SceneCallbacks* callbacks,
                       bool pinned);
    void report_events(std::size_t first, SceneCallbacks* callbacks);
    void find_collisions();
    void collect_colliders();
    bool colliders_overlap(const Collider& a, const Collider& b) const;
    void report_collisions(std::size_t first, SceneCallbacks* callbacks);
    std::array<Layer, kLayerCount> layers_{};
    ObjectRef<View2d> view_;
    // Update passes so far; stamps objects as they are advanced.
    std::uint32_t passes_ = 0;
    PinCount pins_;
    // Objects of the scene that can collide; without any, updates skip the collision pass.
    std::int32_t collider_count_ = 0;
    // Scratch kept between updates so a frame allocates nothing once they have grown. Nested
    // updates (from callbacks) use them as stacks.
    std::vector<EventRecord> events_;
    std::vector<CollisionRecord> collisions_;
    std::vector<Collider> colliders_;
    std::vector<WorldCircle> circles_;
    std::vector<SortEntry> sort_entries_;
};

}  // namespace tarn
