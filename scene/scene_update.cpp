// The frame update of a scene: the layer walk, the events it collected, the collision pass.
//
// Script callbacks run in the middle of it and may release, move or destroy any object, or the
// scene. So the scene and every object the walk still needs (the current one, its successor,
// those with events waiting) are pinned, and the walk stamps each object it advances, so that a
// list changed under it is resumed without advancing anything twice.
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
    if (callbacks != nullptr) {
        const std::size_t first_collision = collisions_.size();
        find_collisions();
        report_collisions(first_collision, callbacks);
    }
    pins_.unpin(*this);
}

void Scene::update_layer(int index, float dt, SceneCallbacks* callbacks, std::uint32_t pass) {
    SceneObject* current = continue_walk(nullptr, nullptr, index, pass);
    if (current == nullptr)
        return;
    current->pin();
    while (current != nullptr) {
        SceneObject* successor = current->next_;
        if (successor != nullptr)
            successor->pin();
        const std::uint32_t events = current->update(dt, callbacks);
        current->update_stamp_ = pass;
        SceneObject* following = continue_walk(current, successor, index, pass);
        if (following != nullptr)
            following->pin();
        if (successor != nullptr)
            successor->unpin();
        finish_object(*current, events, callbacks);
        current = following;
    }
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
    while (next != nullptr && next->update_stamp_ == pass)
        next = next->next_;
    return next;
}

// Keeps an object with events for the callbacks after the walk; lets go of the others.
void Scene::finish_object(SceneObject& object, std::uint32_t events, SceneCallbacks* callbacks) {
    if (events != 0 && callbacks != nullptr && callbacks->has_receiver(object))
        events_.push_back({&object, events});
    else
        object.unpin();
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
