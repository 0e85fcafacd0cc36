#include "ui/ui_root.hpp"

#include <algorithm>

#include "core/platform_state.hpp"
#include "platform/key_codes.hpp"
#include "render/renderer.hpp"
#include "ui/ui_widget.hpp"

namespace tarn {

ClassDescriptor UI::class_descriptor("UI", &GameObject::class_descriptor, nullptr, nullptr);

namespace {

constexpr int kPointerKeys[UI::kPointerCount] = {key::kMouseLeft,  key::kMouseRight,
                                                 key::kTouch0,     key::kTouch0 + 1,
                                                 key::kTouch0 + 2, key::kTouch0 + 3};

// Pre-order update of a pinned widget and its subtree. Index walks: callbacks may change the
// children.
bool update_subtree(UIWidget& widget, float dt) {
    if (!widget.deliver_update(dt))
        return false;
    for (std::size_t i = 0; i < widget.children().size(); ++i) {
        InstanceRef<UIWidget> child = widget.children()[i];
        if (!update_subtree(*child, dt))
            return false;
    }
    return true;
}

void draw_subtree(UIWidget& widget, UIBatch& batch) {
    widget.draw(batch);
    for (const InstanceRef<UIWidget>& child : widget.children()) {
        if (!child->has_flag(UIWidget::kHidden))
            draw_subtree(*child, batch);
    }
}

}  // namespace

UI::UI(HSQUIRRELVM vm, const HSQOBJECT& instance)
    : GameObject(vm, instance), batch_(std::make_unique<UIBatch>(renderer())) {}

UI::~UI() {
    for (WeakObjectRef<UIWidget>& slot : captured_)
        slot.reset();
    for (WeakObjectRef<UIWidget>& slot : hovered_)
        slot.reset();
    for (WeakObjectRef<UIWidget>& slot : entering_)
        slot.reset();
    std::vector<InstanceRef<UIWidget>> widgets = std::move(widgets_);
    for (InstanceRef<UIWidget>& widget : widgets)
        widget->detach();
}

int UI::pointer_from_key(int key) {
    const auto* found = std::find(std::begin(kPointerKeys), std::end(kPointerKeys), key);
    return found == std::end(kPointerKeys) ? -1 : static_cast<int>(found - kPointerKeys);
}

void UI::add_widget(UIWidget& widget) {
    widgets_.emplace_back(&widget);
    widget.set_owner_ui(this);
    widget.invalidate_transform();
}

void UI::remove_widget(UIWidget& widget) {
    widget.set_owner_ui(nullptr);
    widget.invalidate_transform();
    auto found =
        std::find_if(widgets_.begin(), widgets_.end(),
                     [&](const InstanceRef<UIWidget>& held) { return held.get() == &widget; });
    if (found == widgets_.end())
        return;
    InstanceRef<UIWidget> held = std::move(*found);
    widgets_.erase(found);
}

void UI::forget_widget(UIWidget& widget) {
    for (auto it = widgets_.begin(); it != widgets_.end(); ++it) {
        if (it->get() == &widget) {
            it->abandon();
            widgets_.erase(it);
            return;
        }
    }
}

bool UI::pointer_ray(int pointer, CameraRay& ray) const {
    if (!camera_ || pointer < 0 || pointer >= kPointerCount)
        return false;
    const Platform& platform = platform_state();
    const PointF position =
        pointer < 2 ? PointF{platform.mouse_fx, platform.mouse_fy} : platform.touches[pointer - 2];
    const Vec3 clip = transform_point(camera_->screen_to_clip(), {position.x, position.y, 0.0f});
    ray = camera_->ray({clip[0], clip[1]}, true);
    return true;
}

UIWidget* UI::hit_test(int pointer) {
    CameraRay ray;
    if (!pointer_ray(pointer, ray))
        return nullptr;
    for (const InstanceRef<UIWidget>& widget : widgets_) {
        if (UIWidget* hit = widget->hit_test(ray))
            return hit;
    }
    return nullptr;
}

bool UI::set_hovered(UIWidget* widget, int pointer) {
    WeakObjectRef<UIWidget>& slot = hovered_[pointer];
    if (slot.get() == widget)
        return true;
    // The old widget's callback may destroy the new one, or (through a nested update) settle
    // this pointer's hover itself, which clears entering.
    WeakObjectRef<UIWidget>& entering = entering_[pointer];
    entering.reset(widget);
    InstanceRef<UIWidget> leaving(slot.get());
    slot.reset();
    if (leaving && !leaving->deliver_hovered(pointer, false))
        return false;
    InstanceRef<UIWidget> pinned(entering.get());
    entering.reset();
    if (!pinned)
        return true;
    slot.reset(pinned.get());
    return pinned->deliver_hovered(pointer, true);
}

void UI::release(UIWidget& widget, int pointer) {
    if (captured_[pointer].get() == &widget)
        captured_[pointer].reset();
}

bool UI::route_key(int key, bool down, bool& handled) {
    handled = false;
    const int pointer = pointer_from_key(key);
    if (pointer < 0)
        return true;
    UIWidget* target = captured_[pointer].get();
    if (target == nullptr)
        target = hit_test(pointer);
    if (target == nullptr)
        return true;
    handled = true;
    InstanceRef<UIWidget> pinned(target);
    return down ? pinned->deliver_key_down(key) : pinned->deliver_key_up(key);
}

bool UI::handle_key_down(int key, bool& handled) {
    return route_key(key, true, handled);
}

bool UI::handle_key_up(int key, bool& handled) {
    return route_key(key, false, handled);
}

bool UI::update_hover() {
    if (!set_hovered(hit_test(0), 0) || !set_hovered(hovered_[0].get(), 1))
        return false;
    const Platform& platform = platform_state();
    for (int pointer = 2; pointer < kPointerCount; ++pointer) {
        const bool held = (platform.keys[kPointerKeys[pointer]] & kKeyDown) != 0;
        if (!set_hovered(held ? hit_test(pointer) : nullptr, pointer))
            return false;
    }
    return true;
}

bool UI::update(float dt) {
    if (!update_hover())
        return false;
    for (std::size_t i = 0; i < widgets_.size(); ++i) {
        InstanceRef<UIWidget> widget = widgets_[i];
        if (!update_subtree(*widget, dt))
            return false;
    }
    return true;
}

void UI::render(Renderer& renderer, int window_height) {
    if (!camera_)
        return;
    renderer.bind_window();
    camera_->apply(renderer, window_height);
    if (!batch_->ensure_created())
        return;
    renderer.apply_state_if_changed(batch_->render_state());
    for (const InstanceRef<UIWidget>& widget : widgets_) {
        if (!widget->has_flag(UIWidget::kHidden))
            draw_subtree(*widget, *batch_);
    }
}

}  // namespace tarn
