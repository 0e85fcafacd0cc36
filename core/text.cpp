#include "core/text.hpp"

#include <cstring>

namespace tarn {

namespace {

bool is_blank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

}  // namespace

std::vector<SharedString> split(const SharedString& text, const char* separators) {
    std::vector<SharedString> pieces;
    int start = 0;
    for (int i = 0; i <= text.length(); ++i) {
        const bool at_separator =
            i == text.length() || (text[i] != 0 && std::strchr(separators, text[i]) != nullptr);
        if (!at_separator)
            continue;
        if (i > start)
            pieces.emplace_back(text.data() + start, i - start);
        start = i + 1;
    }
    return pieces;
}

SharedString trim(const SharedString& text) {
    int begin = 0;
    int end = text.length();
    while (begin < end && is_blank(text[begin]))
        ++begin;
    while (end > begin && is_blank(text[end - 1]))
        --end;
    if (begin == 0 && end == text.length())
        return text;
    return SharedString(text.data() + begin, end - begin);
}

SharedString trim_unquote(const SharedString& text) {
    const SharedString trimmed = trim(text);
    const int n = trimmed.length();
    if (n >= 2 && trimmed[0] == '"' && trimmed[n - 1] == '"') {
        return SharedString(trimmed.data() + 1, n - 2);
    }
    return trimmed;
}

}  // namespace tarn
