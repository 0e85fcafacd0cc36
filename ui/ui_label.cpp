#include "ui/ui_label.hpp"

#include <cstdint>

#include "core/log.hpp"
#include "core/utf.hpp"
#include "render/text_drawing.hpp"
#include "render/ui_batch.hpp"
#include "resources/def_table.hpp"
#include "resources/resource_loading.hpp"
#include "resources/text_layout_builder.hpp"
#include "ui/widget_paint.hpp"

namespace tarn {

ClassDescriptor UILabel::class_descriptor("UILabel", &UIWidget::class_descriptor, nullptr, nullptr);

namespace {

constexpr float kNoWrap = -1.0f;
constexpr Vec4 kShadowColor = {0.0f, 0.0f, 0.0f, 1.0f};

}  // namespace

UILabel::UILabel(HSQUIRRELVM vm, const HSQOBJECT& instance)
    : UIWidget(vm, instance), font_(get_or_load<Font>(vm, "system", false)) {}

bool UILabel::init_from_table(HSQUIRRELVM vm, SQInteger index) {
    if (!UIWidget::init_from_table(vm, index))
        return false;
    read_label_keys(vm, index);
    relayout(true);
    set_ideal_size({layout_.extent_width, layout_.extent_height});
    init_frame_size(ideal_size());
    return true;
}

void UILabel::read_label_keys(HSQUIRRELVM vm, SQInteger index) {
    const DefTable keys(ScriptObject(vm, index));
    if (keys.has("font"))
        font_.reset(get_or_load<Font>(vm, keys.string("font").data(), false));
    word_wrap_ = keys.boolean("word_wrap", word_wrap_);
    const SharedString align = keys.string("align");
    if (!align.empty()) {
        if (const auto value = label_align_from_name(align.data()))
            align_ = *value;
        else
            log_message("UILabel: Invalid value of align.");
    }
    shadow_ = keys.boolean("shadow", shadow_);
    keys.numbers("shadow_offset", shadow_offset_);
    // A text key of another type empties the text.
    if (keys.has("text"))
        text_ = keys.get("text").type() == OT_STRING ? keys.string("text") : SharedString();
}

void UILabel::set_text(const SharedString& text) {
    text_ = text;
    relayout();
}

void UILabel::relayout(bool no_wrap) {
    if (!font_ || text_.empty()) {
        layout_.box_width = layout_.box_height = 0;
        layout_.extent_width = layout_.extent_height = 0;
        layout_.quads.clear();
        return;
    }
    WideString units;
    append_utf8_as_utf16(units, text_.data(), text_.length());
    const float wrap = no_wrap || !word_wrap_ ? kNoWrap : frame_size()[0];
    build_text_layout(layout_, font_->glyphs(),
                      reinterpret_cast<const std::uint16_t*>(units.data()), units.length(), wrap,
                      text_align_of_label(align_), 1.0f);
}

bool UILabel::layout_self() {
    const bool ok = UIWidget::layout_self();
    relayout();
    return ok;
}

void UILabel::draw(UIBatch& batch) {
    if (!font_ || layout_.quads.empty())
        return;
    const LabelPlacement placement =
        place_label(frame_size(), {layout_.extent_width, layout_.extent_height}, align_);
    const Vec2 scale = {placement.scale, placement.scale};
    batch.load_transform(world_matrix());
    if (shadow_) {
        batch.set_color(kShadowColor);
        draw_text_layout(batch, layout_, font_->texture(),
                         label_shadow_position(placement, offset_, shadow_offset_), scale);
    }
    batch.set_color(premultiplied(color()));
    draw_text_layout(batch, layout_, font_->texture(), label_text_position(placement, offset_),
                     scale);
}

}  // namespace tarn
