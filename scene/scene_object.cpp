#include "scene/scene_object.hpp"

#include <algorithm>

#include "core/log.hpp"
#include "core/utf.hpp"
#include "resources/text_layout_builder.hpp"
#include "scene/scene.hpp"

namespace tarn {

ClassDescriptor SceneObject::class_descriptor("SceneObject", &Entity2d::class_descriptor, nullptr,
                                              nullptr);

SceneObject::SceneObject() = default;

SceneObject::~SceneObject() {
    texture_sprite_.reset();
    texture_.reset();
    set_scene(nullptr);
}

void SceneObject::set_scene(Scene* scene) {
    if (scene == scene_)
        return;
    if (scene_ != nullptr)
        scene_->unlink(*this);
    if (scene != nullptr) {
        update_stamp_ = 0;
        scene->append(*this, layer_);
    }
}

void SceneObject::set_layer(int layer) {
    layer = std::clamp(layer, kMinLayer, kMaxLayer);
    if (scene_ == nullptr) {
        layer_ = layer;
        return;
    }
    Scene* scene = scene_;
    scene->unlink(*this);
    scene->append(*this, layer);
}

void SceneObject::set_sprite(Sprite* sprite) {
    sprite_.reset(sprite);
    animation_ = SpriteAnimation{};
    visual_kind_ = kNoVisual;
    if (sprite == nullptr || !sprite->ensure_loaded())
        return;
    switch (sprite->kind()) {
        case Sprite::kStatic:
            visual_kind_ = kSpriteVisual;
            break;
        case Sprite::kAnimated:
            visual_kind_ = kAnimatedSpriteVisual;
            break;
        default:
            log_message("Unexpected sprite type!");
            break;
    }
}

void SceneObject::set_texture(Texture* texture) {
    texture_sprite_.reset();
    texture_.reset(texture);
    if (texture == nullptr || !texture->ensure_loaded()) {
        visual_kind_ = kNoVisual;
        return;
    }
    visual_kind_ = kTextureVisual;
    choose_texture_sprite();
}

void SceneObject::set_frame(int frame) {
    frame_ = frame;
    if (visual_kind_ == kTextureVisual)
        choose_texture_sprite();
}

void SceneObject::choose_texture_sprite() {
    ObjectRef<Sprite> sprite(new Sprite);
    const std::vector<TextureFrame>& frames = texture_->frames();
    if (frame_ >= 0 && frame_ < static_cast<int>(frames.size()))
        make_frame_sprite(*sprite, texture_.get(), frames[static_cast<std::size_t>(frame_)]);
    else
        make_texture_sprite(*sprite, texture_.get());
    texture_sprite_ = std::move(sprite);
}

void SceneObject::set_font(Font* font) {
    font_.reset(font);
}

void SceneObject::set_text(const char* utf8, int length) {
    if (!font_ || !font_->ensure_loaded()) {
        text_layout_.reset();
        return;
    }
    WideString units;
    append_utf8_as_utf16(units, utf8, length);
    if (text_layout_ == nullptr)
        text_layout_ = std::make_unique<TextLayout>();
    build_text_layout(*text_layout_, font_->glyphs(),
                      reinterpret_cast<const std::uint16_t*>(units.data()), units.length(),
                      text_width_, text_align_, font_scale_);
    visual_kind_ = kTextVisual;
}

void SceneObject::set_emitter(Emitter2dResource* resource) {
    if (resource != nullptr && resource->ensure_loaded()) {
        emitter_.set_resource(resource);
        visual_kind_ = kEmitterVisual;
    } else {
        emitter_.clear();
        visual_kind_ = kNoVisual;
    }
}

void SceneObject::set_line(Texture* white, const Vec2& end) {
    texture_sprite_.reset();
    texture_.reset(white);
    if (white == nullptr || !white->ensure_loaded()) {
        visual_kind_ = kNoVisual;
        return;
    }
    visual_kind_ = kLineVisual;
    line_end_ = end;
}

void SceneObject::set_shear(const Vec2& shear) {
    shear_ = shear;
    if (shear[0] != 0.0f || shear[1] != 0.0f)
        flags_ |= kSheared;
    else
        flags_ &= ~kSheared;
}

const Sprite* SceneObject::shown_sprite() const {
    switch (visual_kind_) {
        case kSpriteVisual:
            return sprite_.get();
        case kAnimatedSpriteVisual: {
            const int frame = animation_.frame;
            if (frame < 0 || frame >= sprite_->frame_count())
                return nullptr;
            return sprite_->frames()[static_cast<std::size_t>(frame)].sprite.get();
        }
        case kTextureVisual:
            return texture_sprite_.get();
        default:
            return nullptr;
    }
}

Vec2 SceneObject::pivot() const {
    if (visual_kind_ != kSpriteVisual && visual_kind_ != kAnimatedSpriteVisual)
        return {0.0f, 0.0f};
    const Sprite* shown = shown_sprite();
    return shown != nullptr ? shown->pivot() : Vec2{0.0f, 0.0f};
}

Vec2 SceneObject::size() const {
    if (visual_kind_ == kTextVisual && text_layout_ != nullptr)
        return {text_layout_->box_width, text_layout_->box_height};
    const Sprite* shown = shown_sprite();
    return shown != nullptr ? shown->size() : Vec2{0.0f, 0.0f};
}

}  // namespace tarn
