// The collision pass of a scene update: every object with circles and collision bits or a mask
// against every later one, in layer order; a pair reports to each side whose mask matches the
// other's bits.
#include <algorithm>
#include <cmath>

#include "scene/scene.hpp"
#include "scene/scene_object.hpp"

namespace tarn {

namespace {

template <typename Circle>
bool circles_overlap(const Circle& a, const Circle& b) {
    const float reach = a.radius + b.radius;
    if (reach < 0.0f)
        return false;
    const float dx = a.x - b.x;
    const float dy = a.y - b.y;
    return dx * dx + dy * dy <= reach * reach;
}

// A circle around circles: centred on the first, reaching as far as the farthest. Any circle
// that touches one of them touches it.
template <typename Circle>
Circle bounding_circle(const Circle* first, const Circle* end) {
    Circle bound = *first;
    for (const Circle* c = first + 1; c != end; ++c) {
        const float reach = std::hypot(c->x - first->x, c->y - first->y) + c->radius;
        bound.radius = std::max(bound.radius, reach);
    }
    return bound;
}

}  // namespace

// Objects that can take part, in walk order, with their circles' centres in world space. Only
// the centres are transformed: radii stay as given.
void Scene::collect_colliders() {
    colliders_.clear();
    circles_.clear();
    for (const Layer& layer : layers_) {
        for (SceneObject* o = layer.first; o != nullptr; o = o->next_) {
            if (!o->is_collider())
                continue;
            const Affine2& world = o->world_matrix();
            const auto first = static_cast<std::uint32_t>(circles_.size());
            for (const CollisionShape& shape : o->shapes_) {
                circles_.push_back({world.apply_x(shape.center_x, shape.center_y),
                                    world.apply_y(shape.center_x, shape.center_y), shape.radius});
            }
            colliders_.push_back({o,
                                  o->collision_bits_,
                                  o->collision_mask_,
                                  {},
                                  first,
                                  static_cast<std::uint32_t>(circles_.size())});
        }
    }
    for (Collider& c : colliders_)
        c.bound = bounding_circle(&circles_[c.first_circle], circles_.data() + c.end_circle);
}

bool Scene::colliders_overlap(const Collider& a, const Collider& b) const {
    if (!circles_overlap(a.bound, b.bound))
        return false;
    if (a.end_circle - a.first_circle == 1 && b.end_circle - b.first_circle == 1)
        return true;
    for (std::uint32_t i = a.first_circle; i < a.end_circle; ++i) {
        for (std::uint32_t j = b.first_circle; j < b.end_circle; ++j) {
            if (circles_overlap(circles_[i], circles_[j]))
                return true;
        }
    }
    return false;
}

void Scene::find_collisions() {
    collect_colliders();
    const std::size_t count = colliders_.size();
    for (std::size_t i = 0; i < count; ++i) {
        const Collider& a = colliders_[i];
        for (std::size_t j = i + 1; j < count; ++j) {
            const Collider& b = colliders_[j];
            const bool a_reacts = (a.mask & b.bits) != 0;
            const bool b_reacts = (b.mask & a.bits) != 0;
            if (!(a_reacts || b_reacts) || !colliders_overlap(a, b))
                continue;
            if (a_reacts)
                collisions_.push_back({ObjectRef(a.object), ObjectRef(b.object)});
            if (b_reacts)
                collisions_.push_back({ObjectRef(b.object), ObjectRef(a.object)});
        }
    }
}

void Scene::report_collisions(std::size_t first, SceneCallbacks* callbacks) {
    const std::size_t end = collisions_.size();
    for (std::size_t i = first; i < end; ++i) {
        SceneObject* object = collisions_[i].object.get();
        SceneObject* other = collisions_[i].other.get();
        if (callbacks->has_receiver(*object) && callbacks->has_receiver(*other))
            callbacks->on_collision(*object, *other);
    }
    // Each record is taken out before its references go, which may delete objects.
    while (collisions_.size() > first) {
        CollisionRecord record = std::move(collisions_.back());
        collisions_.pop_back();
    }
}

}  // namespace tarn
