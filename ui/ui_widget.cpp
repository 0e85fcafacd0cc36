#include "ui/ui_widget.hpp"

#include <utility>

#include "core/log.hpp"
#include "script/argument_reader.hpp"
#include "ui/script_method.hpp"
#include "ui/ui_root.hpp"

namespace tarn {

ClassDescriptor UIWidget::class_descriptor("UIWidget", &GameObject::class_descriptor, nullptr,
                                           nullptr);

namespace {

// The script method when defined, else the native fallback; false on a script error.
template <typename Fallback, typename... Args>
bool deliver(UIWidget& widget, const char* name, Fallback fallback, const Args&... args) {
    switch (call_if_defined(widget, name, args...)) {
        case MethodCall::kMissing:
            fallback();
            return true;
        case MethodCall::kDone:
            return true;
        case MethodCall::kFailed:
            return false;
    }
    return false;
}

}  // namespace

UIWidget::~UIWidget() {
    // Only a closing VM destroys a widget that a parent or UI still holds: they must forget it.
    if (parent_ != nullptr)
        parent_->forget_child(*this).abandon();
    if (owner_ui_ != nullptr)
        owner_ui_->forget_widget(*this);
    std::vector<InstanceRef<UIWidget>> children = std::move(children_);
    for (InstanceRef<UIWidget>& child : children)
        child->detach();
}

bool UIWidget::init_from_table(HSQUIRRELVM vm, SQInteger index) {
    static constexpr std::pair<const char*, Flag> kKeys[] = {
        {"hidden", kHidden}, {"disabled", kDisabled}, {"void", kVoid}};
    if (sq_gettype(vm, index) != OT_TABLE)
        return true;
    for (const auto& [key, flag] : kKeys) {
        StackGuard guard(vm);
        sq_pushstring(vm, key, -1);
        if (SQ_SUCCEEDED(sq_get(vm, index)))
            set_flag(flag, truth_of(vm, -1));
    }
    return true;
}

bool UIWidget::contains_local_point(const Vec2& point) const {
    return point[0] >= 0.0f && point[0] < size_[0] && point[1] >= 0.0f && point[1] < size_[1];
}

void UIWidget::draw(UIBatch& /*batch*/) {}
void UIWidget::on_key_down(int /*key*/) {}
void UIWidget::on_key_up(int /*key*/) {}
void UIWidget::on_update(float /*dt*/) {}

bool UIWidget::layout_self() {
    switch (call_if_defined(*this, "layout_self")) {
        case MethodCall::kMissing:
            return autoresize_child_widgets();
        case MethodCall::kDone:
            return true;
        case MethodCall::kFailed:
            return false;
    }
    return false;
}

bool UIWidget::deliver_key_down(int key) {
    return deliver(
        *this, "key_down", [&] { on_key_down(key); }, key);
}

bool UIWidget::deliver_key_up(int key) {
    return deliver(
        *this, "key_up", [&] { on_key_up(key); }, key);
}

bool UIWidget::deliver_update(float dt) {
    return deliver(
        *this, "update", [&] { on_update(dt); }, dt);
}

bool UIWidget::deliver_hovered(int pointer, bool entering) {
    return call_if_defined(*this, "hovered", pointer, entering) != MethodCall::kFailed;
}

void UIWidget::add_widget(UIWidget& child) {
    if (child.parent_ == this)
        return;
    InstanceRef<UIWidget> held(&child);
    if (child.parent_ != nullptr)
        child.parent_->forget_child(child);
    child.parent_ = this;
    child.attach_frame_ = {child.position_[0], child.position_[1], child.size_[0], child.size_[1]};
    children_.push_back(std::move(held));
    if (child.owner_ui_ != owner_ui_)
        child.set_owner_ui(owner_ui_);
    child.invalidate_transform();
}

bool UIWidget::remove_child_widget(UIWidget& child) {
    if (child.parent_ != this) {
        log_message("Ups, invalid child widget.");
        return false;
    }
    InstanceRef<UIWidget> held = forget_child(child);
    child.detach();
    return true;  // held goes last: it may destroy the child
}

InstanceRef<UIWidget> UIWidget::forget_child(UIWidget& child) {
    InstanceRef<UIWidget> held;
    for (auto it = children_.begin(); it != children_.end(); ++it) {
        if (it->get() == &child) {
            held = std::move(*it);
            children_.erase(it);
            break;
        }
    }
    child.parent_ = nullptr;
    return held;
}

void UIWidget::detach() {
    set_owner_ui(nullptr);
    invalidate_transform();
    parent_ = nullptr;
}

void UIWidget::set_owner_ui(UI* ui) {
    owner_ui_ = ui;
    for (const InstanceRef<UIWidget>& child : children_)
        child->set_owner_ui(ui);
}

UIBatch* UIWidget::batch() const {
    return owner_ui_ != nullptr ? &owner_ui_->batch() : nullptr;
}

void UIWidget::set_flag(std::uint32_t flag, bool on) {
    flags_ = on ? flags_ | flag : flags_ & ~flag;
}

bool UIWidget::is_disabled() const {
    for (const UIWidget* widget = this; widget != nullptr; widget = widget->parent_) {
        if (widget->has_flag(kDisabled))
            return true;
    }
    return false;
}

}  // namespace tarn
