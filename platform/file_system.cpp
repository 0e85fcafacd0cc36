#include "platform/file_system.hpp"

#include <dirent.h>
#include <locale.h>
#include <sys/stat.h>
#include <wctype.h>

#include <memory>
#include <optional>
#include <string_view>

namespace tarn::platform {

namespace {

// Case mapping needs a Unicode-aware locale independent of the one the process runs in. It is
// created once and never changes; when missing, only ASCII letters are folded.
locale_t unicode_locale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    return locale;
}

wchar_t fold_case(wchar_t c, locale_t locale) {
    if (locale == locale_t{})
        return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c;
    // Lowering the upper case form also unifies variants such as final sigma and long s.
    return static_cast<wchar_t>(towlower_l(towupper_l(static_cast<wint_t>(c), locale), locale));
}

// Length of the UTF-8 sequence a lead byte starts; 0 for a byte that cannot start one.
std::size_t sequence_length(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead < 0xC2)
        return 0;
    if (lead < 0xE0)
        return 2;
    if (lead < 0xF0)
        return 3;
    if (lead < 0xF5)
        return 4;
    return 0;
}

bool is_scalar_value(char32_t code, std::size_t length) {
    constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};  // shorter forms are overlong
    return code >= smallest[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
}

// Decodes the UTF-8 sequence at text[i] and advances i past it. A malformed byte decodes to
// 0xDC00 + byte (a lone surrogate, never a real character), so it still only matches itself.
char32_t next_code_point(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = sequence_length(lead);
    if (length > 1 && i + length <= text.size()) {
        char32_t code = lead & (0x7F >> length);
        std::size_t k = 1;
        for (; k < length && (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80; ++k) {
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        if (k == length && is_scalar_value(code, length)) {
            i += length;
            return code;
        }
    }
    ++i;
    return length == 1 ? lead : 0xDC00 + lead;
}

std::wstring folded(std::string_view name) {
    const locale_t locale = unicode_locale();
    std::wstring result;
    for (std::size_t i = 0; i < name.size();) {
        result += fold_case(static_cast<wchar_t>(next_code_point(name, i)), locale);
    }
    return result;
}

bool entry_exists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

std::string joined(const std::string& directory, std::string_view name) {
    if (directory.empty())
        return std::string(name);
    std::string path = directory;
    if (path.back() != '/')
        path += '/';
    return path.append(name);
}

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

// The entry of `directory` ("" for the current one) equal to `name` ignoring case; the first in
// byte order when several are, so that the choice does not depend on the listing order.
std::optional<std::string> find_ignoring_case(const std::string& directory, std::string_view name) {
    std::unique_ptr<DIR, DirCloser> dir(opendir(directory.empty() ? "." : directory.c_str()));
    if (!dir)
        return std::nullopt;
    const std::wstring wanted = folded(name);
    std::optional<std::string> best;
    while (const dirent* entry = readdir(dir.get())) {
        std::string_view candidate = entry->d_name;
        if (folded(candidate) != wanted)
            continue;
        if (!best || candidate < *best)
            best = std::string(candidate);
    }
    return best;
}

}  // namespace

std::string resolve_path(const std::string& path) {
    if (path.empty() || entry_exists(path))
        return path;
    std::string resolved = path.front() == '/' ? "/" : "";
    bool parent_exists = true;  // below a missing component, nothing needs looking up
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        std::string_view component = std::string_view(path).substr(start, end - start);
        start = end + 1;
        if (component.empty() || component == ".")
            continue;
        std::string name(component);
        if (parent_exists && name != ".." && !entry_exists(joined(resolved, name))) {
            std::optional<std::string> match = find_ignoring_case(resolved, name);
            parent_exists = match.has_value();
            if (match)
                name = *match;
        }
        resolved = joined(resolved, name);
    }
    if (resolved.empty())
        return ".";
    if (path.back() == '/' && resolved.back() != '/')
        resolved += '/';
    return resolved;
}

std::FILE* open_file(const std::string& path, const char* mode) {
    return std::fopen(resolve_path(path).c_str(), mode);
}

bool make_directory(const std::string& path) {
    const std::string resolved = resolve_path(path);
    mkdir(resolved.c_str(), 0777);
    struct stat info;
    return stat(resolved.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace tarn::platform
