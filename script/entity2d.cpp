#include "script/entity2d.hpp"

#include <numbers>

#include "core/log.hpp"

namespace tarn {

ClassDescriptor Entity2d::class_descriptor("Entity2d", &EngineObject::class_descriptor, nullptr,
                                           nullptr);

Entity2d::~Entity2d() {
    detach();
    while (first_child_ != nullptr)
        first_child_->detach_keeping_world();
}

void Entity2d::set_position(float x, float y) {
    x_ = x;
    y_ = y;
    invalidate();
}

void Entity2d::set_rotation(float turns) {
    rotation_ = turns;
    if (turns != 0)
        flags_ |= kRotated;
    else
        flags_ &= ~kRotated;
    invalidate();
}

void Entity2d::set_scale(float sx, float sy) {
    scale_x_ = sx;
    scale_y_ = sy;
    if (sx != 1 || sy != 1)
        flags_ |= kScaled;
    else
        flags_ &= ~kScaled;
    invalidate();
}

const Affine2& Entity2d::world_matrix() {
    if (flags_ & kMatrixValid)
        return matrix_;
    Affine2 local = Affine2::translation(x_, y_);
    if (flags_ & kRotated)
        local = local * Affine2::rotation(rotation_ * 2 * std::numbers::pi_v<float>);
    if (flags_ & kScaled)
        local = local * Affine2::scale(scale_x_, scale_y_);
    matrix_ = parent_ != nullptr ? parent_->world_matrix() * local : local;
    flags_ |= kMatrixValid;
    return matrix_;
}

void Entity2d::invalidate() {
    flags_ &= ~kMatrixValid;
    for (Entity2d* child = first_child_; child != nullptr; child = child->next_sibling_) {
        child->invalidate();
    }
}

void Entity2d::bind(Entity2d* parent) {
    if (parent == parent_)
        return;
    float x = x_;
    float y = y_;
    float rotation = rotation_;
    detach_keeping_world();
    if (parent == this) {
        log_message("Trying to bind Entity2d object to itself.");
        return;
    }
    if (parent == nullptr)
        return;
    append_to(parent);
    set_position(x, y);
    set_rotation(rotation);
}

void Entity2d::detach_keeping_world() {
    if (parent_ == nullptr)
        return;
    const Affine2& parent_world = parent_->world_matrix();
    float world_x = parent_world.apply_x(x_, y_);
    float world_y = parent_world.apply_y(x_, y_);
    float sx = scale_x_;
    float sy = scale_y_;
    for (Entity2d* ancestor = parent_; ancestor != nullptr; ancestor = ancestor->parent_) {
        sx *= ancestor->scale_x_;
        sy *= ancestor->scale_y_;
    }
    unlink();
    set_position(world_x, world_y);
    set_scale(sx, sy);
}

void Entity2d::detach() {
    invalidate();
    unlink();
}

void Entity2d::append_to(Entity2d* parent) {
    parent_ = parent;
    prev_sibling_ = parent->last_child_;
    next_sibling_ = nullptr;
    if (parent->last_child_ != nullptr)
        parent->last_child_->next_sibling_ = this;
    else
        parent->first_child_ = this;
    parent->last_child_ = this;
}

void Entity2d::unlink() {
    if (parent_ == nullptr)
        return;
    if (prev_sibling_ != nullptr)
        prev_sibling_->next_sibling_ = next_sibling_;
    else
        parent_->first_child_ = next_sibling_;
    if (next_sibling_ != nullptr)
        next_sibling_->prev_sibling_ = prev_sibling_;
    else
        parent_->last_child_ = prev_sibling_;
    parent_ = prev_sibling_ = next_sibling_ = nullptr;
}

}  // namespace tarn
