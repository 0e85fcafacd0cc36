#include "ui/ui_sprite.hpp"

#include "core/log.hpp"
#include "render/ui_batch.hpp"
#include "render/ui_quad.hpp"
#include "resources/def_table.hpp"
#include "resources/resource_loading.hpp"
#include "ui/nine_cell.hpp"
#include "ui/widget_paint.hpp"

namespace tarn {

ClassDescriptor UISprite::class_descriptor("UISprite", &UIWidget::class_descriptor, nullptr,
                                           nullptr);

bool UISprite::init_from_table(HSQUIRRELVM vm, SQInteger index) {
    if (!UIWidget::init_from_table(vm, index))
        return false;
    const DefTable keys(ScriptObject(vm, index));
    Sprite* sprite = sprite_.get();
    if (keys.has("sprite"))
        sprite = get_or_load<Sprite>(vm, keys.string("sprite").data(), false);
    set_sprite(sprite);
    if (sprite_)
        init_frame_size(sprite_->size());
    const SharedString mode = keys.string("mode");
    if (!mode.empty()) {
        if (const auto value = ui_sprite_mode_from_name(mode.data()))
            mode_ = *value;
        else
            log_message("UISprite: Invalid value of mode.");
    }
    return true;
}

void UISprite::set_sprite(Sprite* sprite) {
    sprite_.reset(sprite);
    animation_ = {};
    animation_.flags = SpriteAnimation::kLooping | SpriteAnimation::kLoopingSetByOwner;
    if (!sprite_)
        return;
    animation_.start(*sprite_, 0.0f);
    set_ideal_size(sprite_->size());
}

const Sprite* UISprite::shown_frame() const {
    if (!sprite_->is_animated())
        return sprite_.get();
    const int frame = animation_.frame;
    if (frame < 0 || frame >= sprite_->frame_count())
        return nullptr;
    return sprite_->frames()[frame].sprite.get();
}

void UISprite::draw(UIBatch& batch) {
    if (!sprite_)
        return;
    const Sprite* frame = shown_frame();
    // A picture on the null texture draws nothing, as everywhere else.
    if (frame == nullptr || frame->hidden())
        return;
    batch.load_transform(world_matrix());
    batch.set_color(premultiplied(color()));
    if (mode_ == UISpriteMode::kCenter)
        draw_centered(batch, *frame);
    else
        draw_stretched(batch, *frame);
}

void UISprite::draw_centered(UIBatch& batch, const Sprite& frame) const {
    UIQuad quad = center_sprite_quad(
        frame_size(), {sprite_->size(), sprite_->pivot(), frame.size(), frame.pivot()}, offset_);
    quad.uv = frame.uv();
    draw_ui_quad(batch, quad, frame.texture());
}

void UISprite::draw_stretched(UIBatch& batch, const Sprite& frame) const {
    const Vec2& size = frame_size();
    if (!frame.has_border()) {
        draw_ui_quad(
            batch, {offset_[0], offset_[1], offset_[0] + size[0], offset_[1] + size[1], frame.uv()},
            frame.texture());
        return;
    }
    const NineCellStops stops = nine_cell_stops(size, frame.border(), frame.size());
    for (const UIQuad& cell : nine_cell_quads(stops, frame.uv(), offset_))
        draw_ui_quad(batch, cell, frame.texture());
}

}  // namespace tarn
