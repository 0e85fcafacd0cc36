#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "core/log.hpp"
#include "core/message.hpp"
#include "resources/def_table.hpp"
#include "resources/resource_loading.hpp"
#include "resources/sprite.hpp"

namespace tarn {

namespace {

// A frame index as the message shows it: whole, like the index a script wrote, unless no
// integer can hold it (huge or not a number), when it is shown as the float it is.
SharedString index_text(float value) {
    constexpr float kLimit = 9.2e18f;
    if (value > -kLimit && value < kLimit)
        return message("%1", static_cast<std::int64_t>(value));
    return message("%1", static_cast<double>(value));
}

// Reads key as an array of at most N numbers (exactly N when exact) into out; elements the
// array lacks keep their values.
template <std::size_t N>
bool read_floats(const DefTable& def, const char* key, std::array<float, N>& out, bool exact) {
    const int count = def.numbers(key, out);
    constexpr int n = static_cast<int>(N);
    return count >= 0 && count <= n && (!exact || count == n);
}

}  // namespace

// Carries one load of a sprite from its def; every step logs its own failure.
class SpriteLoader {
public:
    explicit SpriteLoader(Sprite& sprite)
        : s_(sprite), table_(sprite.get_def()), def_(table_), name_(sprite.get_def_name()) {}

    bool run();

private:
    enum class PivotMode { kGiven, kCenter, kBottom };

    bool load_texture();
    bool load_static();
    PivotMode read_pivot();
    void read_rect();
    void read_border();
    bool load_animated();
    bool load_frames(const std::vector<ScriptObject>& items);
    bool read_timed_entry(const ScriptObject& item, ScriptObject& key, float& duration,
                          float& extra);
    bool add_named_frame(const ScriptObject& name, float duration, float extra);
    bool add_texture_frame(const ScriptObject& index, float duration, float extra, bool uniform);
    bool needs_texture();
    void bound_frames();
    void apply_flip();
    bool add_shapes();
    bool add_circle();
    bool add_rect();
    void log(const char* text) { log_message(message(text, name_)); }

    Sprite& s_;
    ScriptObject table_;
    DefTable def_;
    SharedString name_;
};

bool Sprite::load() {
    loading_ = true;
    const bool ok = SpriteLoader(*this).run();
    loading_ = false;
    set_load_state(ok ? kLoaded : kFailed);
    if (!ok) {
        texture_.reset();
        frames_.clear();
        shapes_.clear();
        log_message(message("Unable to load sprite '%1'.", get_def_name()));
    }
    return ok;
}

bool SpriteLoader::run() {
    s_.frames_.clear();
    s_.shapes_.clear();
    s_.texture_.reset();
    if (!load_texture())
        return false;
    s_.duration_ = def_.number("duration", 0.0f);
    s_.random_duration_ = 0.0f;
    if (!(def_.has("frames") ? load_animated() : load_static()))
        return false;
    std::array<float, 4> color = {1.0f, 1.0f, 1.0f, 1.0f};
    def_.color("color", color);
    s_.set_color(color);
    if (s_.texture_)
        apply_flip();
    s_.loop_ = def_.boolean("loop", false);
    s_.hidden_ = s_.texture_ && s_.texture_->is_null();
    return add_shapes();
}

bool SpriteLoader::load_texture() {
    const SharedString texture = def_.string("texture");
    if (texture.length() == 0)
        return true;
    s_.texture_.reset(get_or_load<Texture>(table_.vm(), texture.data(), false));
    if (!s_.texture_) {
        log_message(message("Sprite texture '%1' failed to load.", texture));
        return false;
    }
    return true;
}

bool SpriteLoader::load_static() {
    if (!s_.texture_) {
        log("No texture specified for static sprite '%1'.");
        return false;
    }
    s_.pivot_ = {0.0f, 0.0f};
    const PivotMode mode = read_pivot();
    read_rect();
    const float w = s_.rect_[2];
    const float h = s_.rect_[3];
    s_.size_ = {w, h};
    if (mode == PivotMode::kCenter)
        s_.pivot_ = {std::floor(w / 2), std::floor(h / 2)};
    else if (mode == PivotMode::kBottom)
        s_.pivot_ = {std::floor(w / 2), h};
    read_border();
    s_.kind_ = Sprite::kStatic;
    return true;
}

SpriteLoader::PivotMode SpriteLoader::read_pivot() {
    const ScriptObject pivot = def_.get("pivot");
    if (pivot.type() != OT_STRING) {
        def_.pair("pivot", s_.pivot_);
        return PivotMode::kGiven;
    }
    const SharedString value = def_.string("pivot");
    if (std::strcmp(value.data(), "center") == 0)
        return PivotMode::kCenter;
    if (std::strcmp(value.data(), "bottom") == 0)
        return PivotMode::kBottom;
    log_message(
        message("Don't know how to handle '%1' pivot for static sprite '%1'.", value, name_));
    return PivotMode::kGiven;
}

void SpriteLoader::read_rect() {
    const Texture& texture = *s_.texture_;
    const int frame = def_.integer("frame", -1);
    if (frame >= 0 && frame < static_cast<int>(texture.frames().size())) {
        const TextureFrame& f = texture.frames()[static_cast<std::size_t>(frame)];
        s_.rect_ = {f.x, f.y, f.w, f.h};
        return;
    }
    std::array<float, 4> rect = {0.0f, 0.0f, static_cast<float>(texture.image_width()),
                                 static_cast<float>(texture.image_height())};
    std::array<float, 4> given = rect;
    if (read_floats(def_, "rect", given, false))
        rect = given;
    s_.rect_ = rect;
}

void SpriteLoader::read_border() {
    std::array<float, 4> b = {0.0f, 0.0f, 0.0f, 0.0f};
    if (!read_floats(def_, "border", b, false))
        b = {0.0f, 0.0f, 0.0f, 0.0f};
    for (float& inset : b)
        inset = inset < 0.0f ? 0.0f : inset;
    const float width = s_.size_[0];
    const float height = s_.size_[1];
    if (b[0] + b[1] > width) {
        const float scale = width / (b[0] + b[1]);
        b[0] *= scale;
        b[1] *= scale;
    }
    if (b[2] + b[3] > height) {
        const float scale = height / (b[2] + b[3]);
        b[2] *= scale;
        b[3] *= scale;
    }
    s_.border_ = b;
    s_.has_border_ = b[0] != 0.0f || b[1] != 0.0f || b[2] != 0.0f || b[3] != 0.0f;
}

bool SpriteLoader::load_animated() {
    if (def_.has("flip"))
        log("The flip is ignored for animated sprite '%1'.");
    const std::vector<ScriptObject> items = def_.elements("frames");
    if (items.empty()) {
        log("Empty frames not supported for animated sprite '%1'.");
        return false;
    }
    if (!load_frames(items))
        return false;
    s_.kind_ = Sprite::kAnimated;
    if (def_.has("pivot"))
        log("The pivot is ignored for animated sprite '%1'.");
    bound_frames();
    return true;
}

bool SpriteLoader::load_frames(const std::vector<ScriptObject>& items) {
    const float uniform = s_.duration_ / static_cast<float>(items.size());
    const SQObjectType form = items[0].type();
    if (form == OT_STRING || is_number(items[0])) {
        if (form != OT_STRING && !needs_texture())
            return false;
        for (const ScriptObject& item : items) {
            if (!(form == OT_STRING ? add_named_frame(item, uniform, 0.0f)
                                    : add_texture_frame(item, uniform, 0.0f, true)))
                return false;
        }
        return true;
    }
    const std::vector<ScriptObject> first = elements_of(items[0]);
    const bool named = !first.empty() && first[0].type() == OT_STRING;
    if (!named && !needs_texture())
        return false;
    float total = 0.0f, extras = 0.0f;
    for (const ScriptObject& item : items) {
        ScriptObject key;
        float duration = 0.0f, extra = 0.0f;
        if (!read_timed_entry(item, key, duration, extra))
            return false;
        if (!(named ? add_named_frame(key, duration, extra)
                    : add_texture_frame(key, duration, extra, false)))
            return false;
        total += duration;
        extras += extra;
    }
    s_.duration_ = total;
    s_.random_duration_ = extras;
    return true;
}

// [key, d] or [key, a, b]: duration min(a, b), extra |a - b|.
bool SpriteLoader::read_timed_entry(const ScriptObject& item, ScriptObject& key, float& duration,
                                    float& extra) {
    const std::vector<ScriptObject> parts = elements_of(item);
    bool ok = parts.size() == 2 || parts.size() == 3;
    for (std::size_t i = 1; ok && i < parts.size(); ++i)
        ok = is_number(parts[i]);
    if (!ok) {
        log("Invalid subsprite of animated sprite '%1'.");
        return false;
    }
    key = parts[0];
    const float a = to_float(parts[1]);
    const float b = parts.size() == 3 ? to_float(parts[2]) : a;
    duration = std::min(a, b);
    extra = std::max(a, b) - duration;
    return true;
}

bool SpriteLoader::add_named_frame(const ScriptObject& name, float duration, float extra) {
    if (name.type() != OT_STRING) {
        log("Invalid subsprite of animated sprite '%1'.");
        return false;
    }
    const char* text = sq_objtostring(&name.handle());
    Sprite* sub = get_or_create<Sprite>(table_.vm(), text);
    // A sprite that is loading now is this one or one that contains it: a cycle.
    const bool usable = sub != nullptr && !sub->loading_;
    ObjectRef<Sprite> held(usable ? sub : nullptr);
    if (!usable || !held->ensure_loaded()) {
        log_message(message("Can't load subsprite '%1' of animated sprite '%2'.", text, name_));
        return false;
    }
    s_.frames_.push_back({std::move(held), duration, extra});
    return true;
}

bool SpriteLoader::add_texture_frame(const ScriptObject& index, float duration, float extra,
                                     bool uniform) {
    const auto& frames = s_.texture_->frames();
    if (!is_number(index)) {
        log("Invalid subsprite of animated sprite '%1'.");
        return false;
    }
    const float value = to_float(index);
    if (!(value >= 0.0f && value < static_cast<float>(frames.size()))) {
        if (uniform)
            log_message(message("Invalid subsprite index %1 of animated sprite '%2'.",
                                index_text(value), name_));
        else
            log("Invalid subsprite index of animated sprite '%1'.");
        return false;
    }
    ObjectRef<Sprite> frame(new Sprite);
    make_frame_sprite(*frame, s_.texture_.get(), frames[static_cast<std::size_t>(value)]);
    s_.frames_.push_back({std::move(frame), duration, extra});
    return true;
}

bool SpriteLoader::needs_texture() {
    if (s_.texture_)
        return true;
    log("Texture required for animated sprite '%1'.");
    return false;
}

// The box around every frame placed at its pivot; it always contains the origin.
void SpriteLoader::bound_frames() {
    float left = 0.0f, top = 0.0f, right = 0.0f, bottom = 0.0f;
    for (const SpriteFrame& frame : s_.frames_) {
        const Sprite& sub = *frame.sprite;
        left = std::min(left, -sub.pivot_[0]);
        top = std::min(top, -sub.pivot_[1]);
        right = std::max(right, sub.size_[0] - sub.pivot_[0]);
        bottom = std::max(bottom, sub.size_[1] - sub.pivot_[1]);
    }
    s_.pivot_ = {-left, -top};
    s_.size_ = {right - left, bottom - top};
}

void SpriteLoader::apply_flip() {
    const SharedString flip = def_.string("flip");
    if (flip.length() > 4)
        log("Invalid format of flip for sprite '%1'.");
    auto on = [&](int i) { return i < flip.length() && flip.data()[i] != '0'; };
    const bool move_pivot = on(3);
    auto& pivot = s_.pivot_;
    auto& rect = s_.rect_;
    auto& border = s_.border_;
    if (on(0)) {
        if (move_pivot)
            pivot[0] = s_.size_[0] - pivot[0];
        rect[0] += rect[2];
        rect[2] = -rect[2];
        std::swap(border[0], border[1]);
    }
    if (on(1)) {
        if (move_pivot)
            pivot[1] = s_.size_[1] - pivot[1];
        rect[1] += rect[3];
        rect[3] = -rect[3];
        std::swap(border[2], border[3]);
    }
    s_.uv_from_rect();
    if (!on(2))
        return;
    if (move_pivot)
        pivot = {s_.size_[1] - pivot[1], pivot[0]};
    std::swap(s_.size_[0], s_.size_[1]);
    const SpriteUv old = s_.uv_;
    s_.uv_[kTopLeft] = old[kBottomLeft];
    s_.uv_[kTopRight] = old[kTopLeft];
    s_.uv_[kBottomRight] = old[kTopRight];
    s_.uv_[kBottomLeft] = old[kBottomRight];
    border = {border[3], border[2], border[0], border[1]};
}

bool SpriteLoader::add_shapes() {
    return add_circle() && add_rect();
}

bool SpriteLoader::add_circle() {
    if (!def_.has("ccircle"))
        return true;
    std::array<float, 3> c{};
    if (!read_floats(def_, "ccircle", c, true)) {
        log_message("Specify x,y,radius for circle collision.");
        return false;
    }
    if (c[2] <= 0.0f) {
        log_message("Zero or negative radius of collision circle!");
        return false;
    }
    s_.shapes_.push_back(CollisionShape::circle(c[0] - s_.pivot_[0], c[1] - s_.pivot_[1], c[2]));
    return true;
}

bool SpriteLoader::add_rect() {
    if (!def_.has("crect"))
        return true;
    const ScriptObject value = def_.get("crect");
    if (is_number(value) && to_float(value) == -1.0f) {
        if (s_.is_animated())
            log("crect ignored for for animated sprite '%1'!");
        else if (s_.size_[0] != 0.0f && s_.size_[1] != 0.0f)
            s_.shapes_.push_back(
                CollisionShape::rectangle(-s_.pivot_[0], -s_.pivot_[1], s_.size_[0], s_.size_[1]));
        return true;
    }
    std::array<float, 4> r{};
    if (!read_floats(def_, "crect", r, true)) {
        log_message("Specify x,y,width,height for rect collsion.");
        return false;
    }
    s_.shapes_.push_back(
        CollisionShape::rectangle(r[0] - s_.pivot_[0], r[1] - s_.pivot_[1], r[2], r[3]));
    return true;
}

}  // namespace tarn
