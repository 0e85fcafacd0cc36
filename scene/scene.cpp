#include "scene/scene.hpp"

#include <algorithm>
#include <cmath>

#include "render/renderer.hpp"
#include "scene/scene_object.hpp"

namespace tarn {

ClassDescriptor Scene::class_descriptor("Scene", &EngineObject::class_descriptor, nullptr, nullptr);

Scene::~Scene() {
    for (Layer& layer : layers_) {
        while (layer.first != nullptr)
            unlink(*layer.first);
    }
}

int Scene::index_of(int layer) {
    return std::clamp(layer, SceneObject::kMinLayer, SceneObject::kMaxLayer) -
           SceneObject::kMinLayer;
}

void Scene::add(SceneObject& object) {
    object.set_scene(this);
}

void Scene::remove(SceneObject& object) {
    if (object.scene_ == this)
        unlink(object);
}

void Scene::append(SceneObject& object, int layer) {
    Layer& list = layers_[static_cast<std::size_t>(index_of(layer))];
    object.scene_ = this;
    object.layer_ = layer;
    object.previous_ = list.last;
    object.next_ = nullptr;
    if (list.last != nullptr)
        list.last->next_ = &object;
    else
        list.first = &object;
    list.last = &object;
    ++list.count;
    if (object.is_collider())
        ++collider_count_;
}

void Scene::unlink(SceneObject& object) {
    Layer& list = layers_[static_cast<std::size_t>(index_of(object.layer_))];
    if (object.previous_ != nullptr)
        object.previous_->next_ = object.next_;
    else
        list.first = object.next_;
    if (object.next_ != nullptr)
        object.next_->previous_ = object.previous_;
    else
        list.last = object.previous_;
    --list.count;
    if (object.is_collider())
        --collider_count_;
    object.scene_ = nullptr;
    object.previous_ = object.next_ = nullptr;
}

namespace {

// Ascending keys, earlier order first on ties; a key that is not a number sorts last.
template <typename Entry>
bool sorts_before(const Entry& a, const Entry& b) {
    const bool a_nan = std::isnan(a.key);
    const bool b_nan = std::isnan(b.key);
    if (a_nan != b_nan)
        return b_nan;
    if (!a_nan && a.key != b.key)
        return a.key < b.key;
    return a.order < b.order;
}

float root_world_y(SceneObject& object) {
    Entity2d* root = &object;
    while (root->parent() != nullptr)
        root = root->parent();
    return root->world_matrix().m[5];
}

}  // namespace

void Scene::sort_layer(int layer) {
    Layer& list = layers_[static_cast<std::size_t>(index_of(layer))];
    if (list.first == nullptr)
        return;
    std::vector<SortEntry>& entries = sort_entries_;
    entries.clear();
    std::int32_t order = 0;
    for (SceneObject* o = list.first; o != nullptr; o = o->next_)
        entries.push_back({root_world_y(*o), order++, o});
    std::sort(entries.begin(), entries.end(), sorts_before<SortEntry>);
    SceneObject* previous = nullptr;
    for (const SortEntry& entry : entries) {
        entry.object->previous_ = previous;
        entry.object->next_ = nullptr;
        if (previous != nullptr)
            previous->next_ = entry.object;
        previous = entry.object;
    }
    list.first = entries.front().object;
    list.last = previous;
    ++list.sorts;
}

void Scene::render_2d(Renderer& renderer, int window_width, int window_height) {
    if (!view_)
        return;
    renderer.bind_window();
    view_->apply(renderer, window_width, window_height, true, true);
    renderer.apply_state_if_changed(RenderStateTable::k2d);
    for (const Layer& layer : layers_) {
        for (SceneObject* o = layer.first; o != nullptr; o = o->next_) {
            if (o->enabled_)
                o->draw(renderer);
        }
    }
}

}  // namespace tarn
