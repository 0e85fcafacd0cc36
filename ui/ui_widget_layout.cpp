#include <algorithm>
#include <cmath>

#include "ui/ui_widget.hpp"

namespace tarn {

namespace {

struct AxisBits {
    std::uint32_t near, size, far;
};
constexpr AxisBits kAxes[2] = {
    {UIWidget::kFlexLeft, UIWidget::kFlexWidth, UIWidget::kFlexRight},
    {UIWidget::kFlexTop, UIWidget::kFlexHeight, UIWidget::kFlexBottom},
};

}  // namespace

void UIWidget::set_frame_position(const Vec2& position) {
    position_ = position;
    invalidate_transform();
}

bool UIWidget::set_frame_size(const Vec2& size) {
    if (size == size_)
        return true;
    size_ = size;
    invalidate_transform();
    return layout_self();
}

void UIWidget::init_frame_size(const Vec2& size) {
    reference_size_ = size;
    size_ = size;
    invalidate_transform();
}

void UIWidget::init_frame_size_from_child_widgets() {
    Vec2 extent = {0.0f, 0.0f};
    for (const InstanceRef<UIWidget>& child : children_) {
        for (int axis = 0; axis < 2; ++axis)
            extent[axis] = std::max(extent[axis], child->position_[axis] + child->size_[axis]);
    }
    init_frame_size(extent);
}

bool UIWidget::autoresize_child_widgets() {
    const Vec2 change = subtract(size_, reference_size_);
    // Index walk: a child's layout may change this widget's children.
    for (std::size_t i = 0; i < children_.size(); ++i) {
        InstanceRef<UIWidget> child = children_[i];
        if ((child->flags_ & kFlexAll) != 0 && !stretch_child(*child, change))
            return false;
    }
    return true;
}

bool UIWidget::stretch_child(UIWidget& child, const Vec2& change) {
    Vec2 position;
    Vec2 size;
    for (int axis = 0; axis < 2; ++axis) {
        const AxisBits& bits = kAxes[axis];
        const float p = child.attach_frame_[axis];
        const float s = child.attach_frame_[axis + 2];
        const float m = reference_size_[axis] - p - s;
        const float flexible = (child.has_flag(bits.near) ? p : 0.0f) +
                               (child.has_flag(bits.size) ? s : 0.0f) +
                               (child.has_flag(bits.far) ? m : 0.0f);
        position[axis] = p;
        size[axis] = s;
        if (std::fabs(flexible) > 0.0f) {
            if (child.has_flag(bits.near))
                position[axis] += change[axis] * (p / flexible);
            if (child.has_flag(bits.size))
                size[axis] += change[axis] * (s / flexible);
        }
        position[axis] = std::max(position[axis], 0.0f);
        size[axis] = std::max(size[axis], 0.0f);
    }
    child.set_frame_position(position);
    return child.set_frame_size(size);
}

}  // namespace tarn
