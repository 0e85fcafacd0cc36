#pragma once

#include <squirrel.h>

#include "resources/sprite.hpp"
#include "resources/sprite_animation.hpp"
#include "script/object_ref.hpp"
#include "ui/ui_sprite_placement.hpp"
#include "ui/ui_widget.hpp"

namespace tarn {

// A widget that shows a sprite, fitted and centred in its frame or stretched
// over it; a stretched sprite with a border is drawn as nine cells whose
// corners keep their size. An animated sprite shows the frame its cursor starts
// on (the UI does not play it).
class UISprite : public UIWidget {
public:
    static ClassDescriptor class_descriptor;

    using UIWidget::UIWidget;
    const ClassDescriptor& descriptor() const override { return class_descriptor; }

    // The widget keys, then "sprite" (whose size becomes the frame size) and
    // "mode".
    bool init_from_table(HSQUIRRELVM vm, SQInteger index) override;
    void draw(UIBatch& batch) override;

    Sprite* sprite() const { return sprite_.get(); }
    // Holds sprite (or none), starts the cursor on it afresh and takes its size
    // as the ideal size; the frame keeps its size.
    void set_sprite(Sprite* sprite);
    const SpriteAnimation& animation() const { return animation_; }

    UISpriteMode mode() const { return mode_; }
    void set_mode(UISpriteMode mode) { mode_ = mode; }
    const Vec2& offset() const { return offset_; }
    void set_offset(const Vec2& offset) { offset_ = offset; }

private:
    // The sprite whose picture is drawn: the cursor's frame of an animated
    // sprite.
    const Sprite* shown_frame() const;
    void draw_centered(UIBatch& batch, const Sprite& frame) const;
    void draw_stretched(UIBatch& batch, const Sprite& frame) const;

    ObjectRef<Sprite> sprite_;
    SpriteAnimation animation_;
    UISpriteMode mode_ = UISpriteMode::kScaleToFill;
    Vec2 offset_ = {0.0f, 0.0f};
};

}  // namespace tarn
