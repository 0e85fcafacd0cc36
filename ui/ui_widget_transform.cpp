#include <cmath>

#include "render/camera.hpp"
#include "ui/ui_root.hpp"
#include "ui/ui_widget.hpp"

namespace tarn {

namespace {

// Rays nearly parallel to a widget's plane miss it.
constexpr float kParallelLimit = 1.0f / 65536.0f;

}  // namespace

void UIWidget::ensure_transform() {
    if (has_flag(kTransformValid))
        return;
    const Matrix4 local =
        translation_matrix({std::floor(position_[0]), std::floor(position_[1]), 0.0f});
    if (parent_ != nullptr)
        world_ = multiply(parent_->world_matrix(), local);
    else if (owner_ui_ != nullptr)
        world_ = multiply(owner_ui_->canvas_matrix(), local);
    else
        world_ = local;
    flags_ |= kTransformValid;
}

void UIWidget::invalidate_transform() {
    if (!has_flag(kTransformValid))
        return;
    flags_ &= ~kTransformValid;
    for (const InstanceRef<UIWidget>& child : children_)
        child->invalidate_transform();
}

bool UIWidget::intersect_local(const CameraRay& ray, Vec2& local) {
    const Matrix4& world = world_matrix();
    const Vec3 origin = transform_point(world, {0.0f, 0.0f, 0.0f});
    const Vec3 x_axis = subtract(transform_point(world, {1.0f, 0.0f, 0.0f}), origin);
    const Vec3 y_axis = subtract(transform_point(world, {0.0f, 1.0f, 0.0f}), origin);
    const Vec3 normal = cross(x_axis, y_axis);
    const float facing = dot(normal, ray.direction);
    if (std::fabs(facing) < kParallelLimit)
        return false;
    const float t = dot(normal, subtract(origin, ray.origin)) / facing;
    const Vec3 hit = subtract(add(ray.origin, scaled(ray.direction, t)), origin);
    local = {dot(hit, x_axis) / dot(x_axis, x_axis), dot(hit, y_axis) / dot(y_axis, y_axis)};
    return true;
}

UIWidget* UIWidget::hit_test(const CameraRay& ray) {
    if ((flags_ & (kHidden | kVoid)) != 0)
        return nullptr;
    Vec2 local;
    if (!intersect_local(ray, local) || !contains_local_point(local))
        return nullptr;
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        if (UIWidget* hit = (*it)->hit_test(ray))
            return hit;
    }
    return this;
}

Vec2 UIWidget::mouse_to_local(int pointer) {
    CameraRay ray;
    Vec2 local = {0.0f, 0.0f};
    if (owner_ui_ == nullptr || !owner_ui_->pointer_ray(pointer, ray) ||
        !intersect_local(ray, local))
        return {0.0f, 0.0f};
    return local;
}

}  // namespace tarn
