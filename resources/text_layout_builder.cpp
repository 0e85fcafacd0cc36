#include "resources/text_layout_builder.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "core/platform_state.hpp"

namespace tarn {

namespace {

constexpr std::uint16_t kLineFeed = 0x0A;
constexpr std::uint16_t kSpace = 0x20;
constexpr std::uint16_t kCaret = 0x5E;

bool is_digit(std::uint16_t unit) {
    return unit >= '0' && unit <= '9';
}

// One laid-out line: where its pen ended and which quads are its own.
struct TextLine {
    float width;
    int first_quad;
    int quad_count;
};

// One run of the layout over a text: walks it line by line and word by word, placing glyphs.
class LayoutBuilder {
public:
    LayoutBuilder(TextLayout& layout, const GlyphTable& glyphs, const std::uint16_t* text,
                  int count, float wrap_width, float scale)
        : layout_(layout),
          glyphs_(glyphs),
          colors_(platform_state().text_colors),
          text_(text),
          count_(text != nullptr ? std::max(count, 0) : 0),
          wrapping_(wrap_width >= 0.0f),
          wrap_width_(wrap_width),
          scale_(scale),
          line_advance_(static_cast<float>(glyphs.line_height) * scale) {
        set_color(colors_[0]);
    }

    void run(TextAlign align);

private:
    // Lays out the next line; false when the text is exhausted.
    bool line_step();
    void consume_color_codes();
    void set_color(const Color& c) { color_ = {c.r * c.a, c.g * c.a, c.b * c.a, c.a}; }
    // The end of the word that starts at pos_.
    int word_end() const;
    bool fits(int start, int end, float pen_x) const;
    float place(int start, int end, float pen_x);
    void emit(const Glyph& glyph, float pen_x);
    void align(TextAlign align);
    void set_sizes(TextAlign align);

    TextLayout& layout_;
    const GlyphTable& glyphs_;
    const std::array<Color, 10>& colors_;
    const std::uint16_t* text_;
    int count_;
    bool wrapping_;
    float wrap_width_;
    float scale_;
    float line_advance_;
    int pos_ = 0;
    float pen_y_ = 0.0f;
    float widest_ = 0.0f;
    std::array<float, 4> color_{};
    std::vector<TextLine> lines_;
};

void LayoutBuilder::run(TextAlign align) {
    layout_.quads.clear();
    layout_.quads.reserve(static_cast<std::size_t>(count_));
    while (line_step()) {
    }
    this->align(align);
    set_sizes(align);
}

bool LayoutBuilder::line_step() {
    consume_color_codes();
    if (pos_ >= count_)
        return false;
    if (text_[pos_] == kLineFeed) {
        ++pos_;
        pen_y_ += line_advance_;
        return true;
    }
    const int first_quad = static_cast<int>(layout_.quads.size());
    const int first_end = word_end();
    float pen_x = place(pos_, first_end, 0.0f);
    pos_ = first_end;
    for (;;) {
        consume_color_codes();
        if (pos_ >= count_)
            break;
        if (text_[pos_] == kLineFeed) {
            ++pos_;
            break;
        }
        const int end = word_end();
        if (!fits(pos_, end, pen_x))
            break;  // the word opens the next line
        pen_x = place(pos_, end, pen_x);
        pos_ = end;
    }
    widest_ = std::max(widest_, pen_x);
    pen_y_ += line_advance_;
    const int quad_count = static_cast<int>(layout_.quads.size()) - first_quad;
    lines_.push_back({pen_x, first_quad, quad_count});
    return true;
}

void LayoutBuilder::consume_color_codes() {
    while (count_ - pos_ >= 2 && text_[pos_] == kCaret && is_digit(text_[pos_ + 1])) {
        set_color(colors_[text_[pos_ + 1] - '0']);
        pos_ += 2;
    }
}

// A run of units above the space, up to white space or a colour code; any other unit is a word
// of its own.
int LayoutBuilder::word_end() const {
    int end = pos_ + 1;
    if (text_[pos_] <= kSpace)
        return end;
    while (end < count_ && text_[end] > kSpace &&
           !(text_[end] == kCaret && end + 1 < count_ && is_digit(text_[end + 1])))
        ++end;
    return end;
}

bool LayoutBuilder::fits(int start, int end, float pen_x) const {
    return !wrapping_ || glyphs_.measure(text_, start, end - start) * scale_ + pen_x <= wrap_width_;
}

float LayoutBuilder::place(int start, int end, float pen_x) {
    for (int i = start; i < end; ++i) {
        const Glyph& glyph = glyphs_.glyph_for(text_[i]);
        if (!glyph.present()) {
            pen_x += glyphs_.missing_advance * scale_;
            continue;
        }
        emit(glyph, pen_x);
        pen_x += glyph.xadvance * scale_;
        if (i + 1 < end)
            pen_x += static_cast<float>(glyphs_.kerning(glyph, text_[i], text_[i + 1])) * scale_;
    }
    return pen_x;
}

void LayoutBuilder::emit(const Glyph& glyph, float pen_x) {
    const auto page_w = static_cast<float>(glyphs_.scale_w);
    const auto page_h = static_cast<float>(glyphs_.scale_h);
    TextQuad& q = layout_.quads.emplace_back();
    q.r = color_[0];
    q.g = color_[1];
    q.b = color_[2];
    q.a = color_[3];
    q.x0 = pen_x + glyph.xoffset * scale_;
    q.y0 = pen_y_ + glyph.yoffset * scale_;
    q.x1 = q.x0 + glyph.width * scale_;
    q.y1 = q.y0 + glyph.height * scale_;
    q.u0 = glyph.x / page_w;
    q.v0 = glyph.y / page_h;
    q.u1 = q.u0 + glyph.width / page_w;
    q.v1 = q.v0 + glyph.height / page_h;
}

void LayoutBuilder::align(TextAlign align) {
    if (align != kTextAlignRight && align != kTextAlignCenter)
        return;
    for (const TextLine& line : lines_) {
        const float reference = wrapping_ ? std::max(line.width, wrap_width_) : widest_;
        const float room = reference - line.width;
        const float shift = std::floor(align == kTextAlignRight ? room : room * 0.5f);
        const auto first = layout_.quads.begin() + line.first_quad;
        for (auto q = first; q != first + line.quad_count; ++q) {
            q->x0 += shift;
            q->x1 += shift;
        }
    }
}

void LayoutBuilder::set_sizes(TextAlign align) {
    layout_.box_width = wrapping_ ? wrap_width_ : widest_;
    layout_.box_height = layout_.extent_height = pen_y_;
    layout_.extent_width =
        wrapping_ && align != kTextAlignLeft ? std::max(wrap_width_, widest_) : widest_;
}

}  // namespace

void build_text_layout(TextLayout& layout, const GlyphTable& glyphs, const std::uint16_t* text,
                       int count, float wrap_width, TextAlign align, float scale) {
    LayoutBuilder(layout, glyphs, text, count, wrap_width, scale).run(align);
}

}  // namespace tarn
