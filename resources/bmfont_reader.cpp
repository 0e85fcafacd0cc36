#include <algorithm>
#include <array>
#include <limits>

#include "core/log.hpp"
#include "core/message.hpp"
#include "resources/font.hpp"

namespace tarn {

namespace {

constexpr std::string_view kSeparators = " =";
constexpr std::string_view kLineEnds = "\r\n";
constexpr std::int64_t kMaxCode = 0xFFFF;

// A line's tokens, split at spaces and equals signs.
class Tokens {
public:
    explicit Tokens(std::string_view line) : rest_(line) {}

    // The next token; empty at the end of the line.
    std::string_view next() {
        const std::size_t start = rest_.find_first_not_of(kSeparators);
        if (start == std::string_view::npos) {
            rest_ = {};
            return {};
        }
        rest_.remove_prefix(start);
        const std::string_view token = rest_.substr(0, rest_.find_first_of(kSeparators));
        rest_.remove_prefix(token.size());
        return token;
    }

private:
    std::string_view rest_;
};

// A base-10 integer: an optional sign, then digits up to the first other character (none reads
// as 0). Numbers beyond 64 bits saturate, so every later range check sees them as too large.
std::int64_t parse_integer(std::string_view text) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        text.remove_prefix(1);
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            break;
        const int digit = c - '0';
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return negative ? -value : value;
}

template <typename T>
T saturate(std::int64_t value) {
    return static_cast<T>(std::clamp<std::int64_t>(value, std::numeric_limits<T>::min(),
                                                   std::numeric_limits<T>::max()));
}

// The values a tag reads from its line: each key's value (the last one given), or its default
// when the line lacks it; a key without a value counts as absent.
template <std::size_t N>
struct LineValues {
    std::array<std::int64_t, N> values;
    int token_count = 1;

    LineValues(Tokens tokens, const std::array<std::string_view, N>& keys,
               const std::array<std::int64_t, N>& defaults)
        : values(defaults) {
        for (std::string_view key = tokens.next(); !key.empty(); key = tokens.next()) {
            const std::string_view value = tokens.next();
            token_count += value.empty() ? 1 : 2;
            const auto found = std::find(keys.begin(), keys.end(), key);
            if (found != keys.end() && !value.empty())
                values[found - keys.begin()] = parse_integer(value);
        }
    }
};

}  // namespace

// One reading of a font file into a glyph table; each line kind checks and stores its values.
class BmfontReader {
public:
    BmfontReader(std::string_view text, GlyphTable& table) : text_(text), t_(table) {}

    bool run();

private:
    bool read_line(std::string_view line);
    bool read_common(Tokens tokens);
    bool read_char(Tokens tokens);
    bool read_kernings(Tokens tokens);
    bool read_kerning(Tokens tokens);
    bool store_kerning(const KerningPair& pair);
    bool finish();
    // At least as many as the lines the text holds from offset on.
    std::int64_t lines_from(std::size_t offset) const;
    static bool fail(const char* text) {
        log_message(text);
        return false;
    }

    std::string_view text_;
    GlyphTable& t_;
    std::size_t line_end_ = 0;
    std::int64_t declared_pairs_ = 0;
};

bool BmfontReader::run() {
    t_ = GlyphTable();
    std::size_t start = 0;
    while (start < text_.size()) {
        line_end_ = std::min(text_.find_first_of(kLineEnds, start), text_.size());
        if (!read_line(text_.substr(start, line_end_ - start)))
            return false;
        start = line_end_ + 1;
        if (start < text_.size() && text_[line_end_] == '\r' && text_[start] == '\n')
            ++start;
    }
    return finish();
}

bool BmfontReader::read_line(std::string_view line) {
    Tokens tokens(line);
    const std::string_view tag = tokens.next();
    if (tag == "common")
        return read_common(tokens);
    if (tag == "char")
        return read_char(tokens);
    if (tag == "kernings")
        return read_kernings(tokens);
    if (tag == "kerning")
        return read_kerning(tokens);
    return true;  // empty lines, "info", "page", "chars" and unknown tags
}

bool BmfontReader::read_common(Tokens tokens) {
    const LineValues<5> line(tokens, {"lineHeight", "base", "scaleW", "scaleH", "pages"}, {});
    if (line.token_count < 3 || line.values[4] != 1)
        return fail("Fonts support only one texture page.");
    t_.line_height = saturate<std::int32_t>(line.values[0]);
    t_.base = saturate<std::int32_t>(line.values[1]);
    t_.scale_w = saturate<std::int32_t>(line.values[2]);
    t_.scale_h = saturate<std::int32_t>(line.values[3]);
    return true;
}

bool BmfontReader::read_char(Tokens tokens) {
    const LineValues<8> line(
        tokens, {"id", "x", "y", "width", "height", "xoffset", "yoffset", "xadvance"}, {});
    const std::int64_t id = line.values[0];
    if (id < 0 || id > kMaxCode) {
        log_message(message("Invalid glyph id %1.", id));
        return false;
    }
    Glyph& glyph = *t_.glyph_slot(static_cast<std::uint16_t>(id));
    glyph.x = saturate<std::int16_t>(line.values[1]);
    glyph.y = saturate<std::int16_t>(line.values[2]);
    glyph.width = saturate<std::int16_t>(line.values[3]);
    glyph.height = saturate<std::int16_t>(line.values[4]);
    glyph.xoffset = saturate<std::int16_t>(line.values[5]);
    glyph.yoffset = saturate<std::int16_t>(line.values[6]);
    glyph.xadvance = saturate<std::int16_t>(line.values[7]);
    glyph.first_kerning = -1;
    return true;
}

bool BmfontReader::read_kernings(Tokens tokens) {
    const LineValues<1> line(tokens, {"count"}, {});
    if (declared_pairs_ != 0)
        return fail("Kerning pairs already specified!");
    if (line.values[0] < 0)
        return fail("Invalid kerning pair count.");
    declared_pairs_ = line.values[0];
    // The count is the file's word, but no more pairs than the rest of the file has lines can
    // follow: that bounds the room taken.
    if (declared_pairs_ > 0) {
        t_.kernings_.reserve(static_cast<std::size_t>(
            std::min(declared_pairs_, lines_from(std::min(line_end_ + 1, text_.size())))));
    }
    return true;
}

bool BmfontReader::read_kerning(Tokens tokens) {
    const LineValues<3> line(tokens, {"first", "second", "amount"}, {-1, -1, 0});
    const std::int64_t first = line.values[0];
    const std::int64_t second = line.values[1];
    if (line.token_count < 3 || first < 0 || first > kMaxCode || second < 0 || second > kMaxCode ||
        static_cast<std::int64_t>(t_.kernings_.size()) >= declared_pairs_)
        return fail("Invalid kerning pair on input.");
    return store_kerning({static_cast<std::uint16_t>(first), static_cast<std::uint16_t>(second),
                          saturate<std::int16_t>(line.values[2])});
}

// Pairs of one first code must be consecutive. The pairs from the glyph's first pair up to the
// previous one were checked as they came, so the previous pair alone decides.
bool BmfontReader::store_kerning(const KerningPair& pair) {
    const std::size_t n = t_.kernings_.size();
    if (t_.find_glyph(pair.first) == nullptr) {
        log_message("First kerning pair glyph not found.");
    } else {
        Glyph& glyph = *t_.glyph_slot(pair.first);
        if (glyph.first_kerning >= 0 && t_.kernings_[n - 1].first != pair.first)
            return fail("Kerning pairs are not properly blocked.");
        // A glyph's first pair must have an index that the glyph can record.
        if (glyph.first_kerning < 0 &&
            n > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max()))
            return fail("Invalid kerning pair on input.");
        if (glyph.first_kerning < 0)
            glyph.first_kerning = static_cast<std::int16_t>(n);
    }
    t_.kernings_.push_back(pair);
    return true;
}

bool BmfontReader::finish() {
    if (t_.scale_w < 1 || t_.scale_h < 1)
        return fail("Invalid font texture size.");
    if (static_cast<std::int64_t>(t_.kernings_.size()) != declared_pairs_)
        return fail("Invalid number of kerning pairs.");
    const Glyph* space = t_.find_glyph(' ');
    if (space != nullptr && space->present()) {
        t_.missing_advance = space->xadvance;
    } else {
        t_.missing_advance = static_cast<float>(t_.line_height / 2);
        log_message("Font doesn't have space character available.");
    }
    return true;
}

std::int64_t BmfontReader::lines_from(std::size_t offset) const {
    const std::string_view rest = text_.substr(offset);
    return 1 +
           std::count_if(rest.begin(), rest.end(), [](char c) { return c == '\n' || c == '\r'; });
}

bool read_bmfont_text(std::string_view text, GlyphTable& table) {
    return BmfontReader(text, table).run();
}

}  // namespace tarn
