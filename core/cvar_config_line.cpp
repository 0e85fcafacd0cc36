#include "core/cvar_config_line.hpp"

#include <algorithm>

#include "core/text.hpp"

namespace tarn {

namespace {

enum class Part { kName, kValue };

constexpr std::string_view kEscapedOpening = "%\"";
constexpr char kHexDigits[] = "0123456789ABCDEF";

bool is_line_break(char c) {
    return c == '\n' || c == '\r';
}

bool is_blank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

bool needs_escape(char c, Part part) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '%' || byte < 32 || byte == 127)
        return true;
    return part == Part::kName && (c == ' ' || c == '=');
}

bool reads_back_plain(const SharedString& name, const SharedString& value) {
    const bool plain_name =
        !name.empty() && !is_blank(name[0]) && !is_blank(name[name.length() - 1]) &&
        std::none_of(name.begin(), name.end(), [](char c) { return c == '=' || is_line_break(c); });
    return plain_name && std::none_of(value.begin(), value.end(), is_line_break);
}

void append_escaped(SharedString& line, const SharedString& text, Part part) {
    for (const char c : text) {
        if (!needs_escape(c, part)) {
            line.append(c);
            continue;
        }
        const auto byte = static_cast<unsigned char>(c);
        const char escape[] = {'%', kHexDigits[byte >> 4], kHexDigits[byte & 15]};
        line.append(escape, 3);
    }
}

int hex_value(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// False when a '%' is not followed by two hex digits.
bool decode(std::string_view text, SharedString& out) {
    SharedString decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded.append(text[i]);
            continue;
        }
        const int high = i + 2 < text.size() ? hex_value(text[i + 1]) : -1;
        const int low = high >= 0 ? hex_value(text[i + 2]) : -1;
        if (low < 0)
            return false;
        decoded.append(static_cast<char>(high * 16 + low));
        i += 2;
    }
    out = decoded;
    return true;
}

// Setting names are C strings: one holding a NUL byte could never be found or saved as read.
bool usable_name(const SharedString& name) {
    return std::find(name.begin(), name.end(), '\0') == name.end();
}

}  // namespace

SharedString format_config_line(const SharedString& name, const SharedString& value) {
    // Joined by hand: a placeholder-like "%1" inside a name must not swallow the value.
    SharedString line;
    if (reads_back_plain(name, value)) {
        line.append(name);
        line.append(" = \"");
        line.append(value);
    } else {
        append_escaped(line, name, Part::kName);
        line.append(" = ");
        line.append(kEscapedOpening.data(), static_cast<int>(kEscapedOpening.size()));
        append_escaped(line, value, Part::kValue);
    }
    line.append('"');
    return line;
}

bool parse_config_line(std::string_view line, SharedString& name, SharedString& value) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return false;
    const SharedString key = trim(SharedString(line.data(), static_cast<int>(equals)));
    if (key.empty())
        return false;
    const std::string_view rest_text = line.substr(equals + 1);
    const SharedString rest =
        trim(SharedString(rest_text.data(), static_cast<int>(rest_text.size())));
    const std::string_view part(rest.data(), rest.length());
    const bool escaped = part.size() > kEscapedOpening.size() &&
                         part.starts_with(kEscapedOpening) && part.back() == '"';
    if (escaped && decode(std::string_view(key.data(), key.length()), name) &&
        decode(part.substr(2, part.size() - 3), value)) {
        return usable_name(name);
    }
    name = key;
    value = trim_unquote(rest);
    return usable_name(name);
}

}  // namespace tarn
