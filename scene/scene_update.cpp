// The frame update of a scene: the layer walk, the events it collected, the collision pass.
//
// Script callbacks run in the middle of it and may release, move or destroy any object, or the
// scene. So the scene is pinned for the whole update; before anything runs that may call back
// ("on_animation_end", or an auto-destroy emitter dropping its owner's reference) the walk pins
// the current object and its successor; objects with events waiting stay pinned until their
// callbacks are done. The walk stamps each object it advances, so that a list changed under it
// is resumed without advancing anything twice.
#include "scene/scene.hpp"
#include "scene/scene_object.hpp"

namespace tarn {

void Scene::update(float dt, SceneCallbacks* callbacks) {
    pins_.pin(*this);
    if (++passes_ == 0)
        ++passes_;  // stamp 0 means "not advanced yet"
    const std::uint32_t pass = passes_;
    const std::size_t first_event = events_.size();
    for (int index = 0; index < kLayerCount; ++index)
        update_layer(index, dt, callbacks, pass);
    report_events(first_event, callbacks);
    if (callbacks != nullptr && collider_count_ > 0) {
        const std::size_t first_collision = collisions_.size();
        find_collisions();
        report_collisions(first_collision, callbacks);
    }
    pins_.unpin(*this);
}

void Scene::update_layer(int index, float dt, SceneCallbacks* callbacks, std::uint32_t pass) {
    SceneObject* current = continue_walk(nullptr, nullptr, index, pass);
    bool pinned = false;
    while (current != nullptr) {
        WalkStep step{current, current->next_, pinned};
        const std::uint32_t events = advance_object(step, index, dt, callbacks);
        current->update_stamp_ = pass;
        SceneObject* following = step_on(step, index, pass);
        finish_object(*current, events, callbacks, step.current_pinned);
        current = following;
        pinned = step.held && following != nullptr;
    }
}

// Before anything that may call back, the current object and its successor are pinned.
void Scene::hold(WalkStep& step, int index) {
    if (step.held)
        return;
    step.held = true;
    step.sorts = layers_[static_cast<std::size_t>(index)].sorts;
    if (!step.current_pinned)
        step.current->pin();
    step.current_pinned = true;
    if (step.successor != nullptr)
        step.successor->pin();
}

// One object's update: fade, rotation, move, animation ("on_animation_end" at once), emitter,
// area. Returns the events that wait for the end of the walk.
std::uint32_t Scene::advance_object(WalkStep& step, int index, float dt,
                                    SceneCallbacks* callbacks) {
    SceneObject& object = *step.current;
    const std::uint32_t steps = object.advance(dt);
    if ((steps & SceneObject::kAnimationEnded) != 0 && callbacks != nullptr &&
        callbacks->has_receiver(object)) {
        hold(step, index);
        callbacks->on_event(object, SceneEvent::kAnimationEnd);
    }
    if (object.visual_kind_ == SceneObject::kEmitterVisual) {
        hold(step, index);
        object.update_emitter(dt);
    }
    const bool outside = (object.flags_ & SceneObject::kAreaSet) != 0 && object.out_of_area();
    return (steps & ~SceneObject::kAnimationEnded) |
           (outside ? std::uint32_t{SceneObject::kOutOfArea} : 0u);
}

// Where the walk goes on after step, pinned when callbacks ran; the successor's pin goes. A
// layer sorted meanwhile is walked again from its top.
SceneObject* Scene::step_on(const WalkStep& step, int index, std::uint32_t pass) {
    // Without callbacks the list is as it was: the successor taken before is the next one.
    if (!step.held)
        return skip_advanced(step.successor, pass);
    const bool reordered = layers_[static_cast<std::size_t>(index)].sorts != step.sorts;
    SceneObject* following = reordered ? continue_walk(nullptr, nullptr, index, pass)
                                       : continue_walk(step.current, step.successor, index, pass);
    if (following != nullptr)
        following->pin();
    if (step.successor != nullptr)
        step.successor->unpin();
    return following;
}

// The next object of layer index to advance: the successor taken before the update when it is
// still in this layer, else the one after current when current still is, else the layer's
// first; then on past objects this pass has advanced already.
SceneObject* Scene::continue_walk(SceneObject* current, SceneObject* successor, int index,
                                  std::uint32_t pass) const {
    auto in_layer = [this, index](const SceneObject* o) {
        return o != nullptr && o->scene_ == this && index_of(o->layer_) == index;
    };
    SceneObject* next = layers_[static_cast<std::size_t>(index)].first;
    if (in_layer(successor))
        next = successor;
    else if (in_layer(current))
        next = current->next_;
    return skip_advanced(next, pass);
}

SceneObject* Scene::skip_advanced(SceneObject* next, std::uint32_t pass) {
    while (next != nullptr && next->update_stamp_ == pass)
        next = next->next_;
    return next;
}

// Keeps an object with events for the callbacks after the walk, pinned; lets go of the others.
void Scene::finish_object(SceneObject& object, std::uint32_t events, SceneCallbacks* callbacks,
                          bool pinned) {
    if (events != 0 && callbacks != nullptr && callbacks->has_receiver(object)) {
        if (!pinned)
            object.pin();
        events_.push_back({&object, events});
    } else if (pinned) {
        object.unpin();
    }
}

void Scene::report_events(std::size_t first, SceneCallbacks* callbacks) {
    static constexpr std::pair<std::uint32_t, SceneEvent> kOrder[] = {
        {SceneObject::kMoveEnded, SceneEvent::kMoveEnd},
        {SceneObject::kRotateEnded, SceneEvent::kRotateEnd},
        {SceneObject::kFadeEnded, SceneEvent::kFadeAlphaEnd},
        {SceneObject::kOutOfArea, SceneEvent::kOutOfArea},
    };
    const std::size_t end = events_.size();
    // Indices, not references: a nested update grows the list (and shrinks it back) meanwhile.
    for (std::size_t i = first; i < end; ++i) {
        const EventRecord record = events_[i];
        for (const auto& [bit, event] : kOrder) {
            if ((record.events & bit) != 0 && callbacks->has_receiver(*record.object))
                callbacks->on_event(*record.object, event);
        }
    }
    for (std::size_t i = first; i < end; ++i)
        events_[i].object->unpin();
    events_.resize(first);
}

}  // namespace tarn
