#pragma once

#include <squirrel.h>

#include <cstdint>

#include "core/shared_string.hpp"
#include "render/text_layout.hpp"
#include "resources/font.hpp"
#include "script/object_ref.hpp"
#include "ui/label_placement.hpp"
#include "ui/ui_widget.hpp"

namespace tarn {

// A widget that shows a text in a font: laid out (word-wrapped to its width
// when asked), placed in its frame by its alignment, shrunk (never enlarged) to
// fit, with an optional black shadow.
class UILabel : public UIWidget {
public:
    static ClassDescriptor class_descriptor;

    // Starts with the font of def "system", when it loads.
    UILabel(HSQUIRRELVM vm, const HSQOBJECT& instance);
    const ClassDescriptor& descriptor() const override { return class_descriptor; }

    // The widget keys, then "font", "word_wrap", "align", "shadow",
    // "shadow_offset" and "text"; the text is laid out unwrapped and its size
    // becomes the ideal and the frame size.
    bool init_from_table(HSQUIRRELVM vm, SQInteger index) override;
    void draw(UIBatch& batch) override;
    // The widget's layout, then the text laid out again (so a wrapped label
    // re-wraps).
    bool layout_self() override;

    Font* font() const { return font_.get(); }
    void set_font(Font* font) { font_.reset(font); }
    const SharedString& text() const { return text_; }
    // Stores the UTF-8 text and lays it out.
    void set_text(const SharedString& text);
    // Lays the text out again, wrapped to the frame width when word_wrap is on
    // and no_wrap off.
    void relayout(bool no_wrap = false);
    const TextLayout& text_layout() const { return layout_; }

    std::uint32_t align() const { return align_; }
    void set_align(std::uint32_t align) { align_ = align; }
    bool word_wrap() const { return word_wrap_; }
    void set_word_wrap(bool on) { word_wrap_ = on; }
    bool shadow() const { return shadow_; }
    void set_shadow(bool on) { shadow_ = on; }
    const Vec2& shadow_offset() const { return shadow_offset_; }
    void set_shadow_offset(const Vec2& offset) { shadow_offset_ = offset; }
    const Vec2& offset() const { return offset_; }
    void set_offset(const Vec2& offset) { offset_ = offset; }

private:
    void read_label_keys(HSQUIRRELVM vm, SQInteger index);

    ObjectRef<Font> font_;
    TextLayout layout_;
    std::uint32_t align_ = label_align::kDefault;
    bool word_wrap_ = false;
    bool shadow_ = false;
    Vec2 shadow_offset_ = {0.0f, -1.0f};
    SharedString text_;
    Vec2 offset_ = {0.0f, 0.0f};
};

}  // namespace tarn
