#include "platform/file_system.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wctype.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

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

// Owns a file descriptor; -1 when there is none.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

private:
    int fd_;
};

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

// The entry of the open folder equal to `name` ignoring case; the first in byte order when
// several are, so that the choice does not depend on the listing order.
std::optional<std::string> find_ignoring_case(int folder, std::string_view name) {
    const int listing = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listing < 0)
        return std::nullopt;
    std::unique_ptr<DIR, DirCloser> dir(fdopendir(listing));
    if (!dir) {
        close(listing);
        return std::nullopt;
    }
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

// Follows a path one component at a time, each looked up in the folder reached so far through an
// open descriptor, so that a step costs the same however deep the path is. (Looking each prefix
// up again from the start makes a path of n components cost n squared, and creating its folders
// one prefix at a time n cubed.)
class PathWalker {
public:
    explicit PathWalker(bool absolute)
        : folder_(open(absolute ? "/" : ".", kFolderFlags)), resolved_(absolute ? "/" : "") {}

    // Moves to the entry `name` of the current folder: the exact name when it exists, else the
    // entry matching it ignoring case, else a new folder of that name when create_missing is
    // set, else the name as written. Below a missing entry or a file, names are taken as written.
    void step(std::string_view name, bool create_missing) {
        std::string actual(name);
        if (folder_.valid() && name != ".." && !has_entry(actual)) {
            if (std::optional<std::string> match = find_ignoring_case(folder_.get(), name))
                actual = *match;
            else if (create_missing)
                mkdirat(folder_.get(), actual.c_str(), 0777);
        }
        if (folder_.valid())
            folder_ = Descriptor(openat(folder_.get(), actual.c_str(), kFolderFlags));
        if (!resolved_.empty() && resolved_.back() != '/')
            resolved_ += '/';
        resolved_ += actual;
    }

    std::string& resolved() { return resolved_; }

private:
    static constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;

    bool has_entry(const std::string& name) const {
        struct stat info;
        return fstatat(folder_.get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
    }

    Descriptor folder_;
    std::string resolved_;
};

// Calls step(name, is_last) for each component of the path but the empty and "." ones; is_last
// is set for the text after the last '/'.
template <typename Step>
void for_each_component(std::string_view path, Step step) {
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string_view::npos)
            end = path.size();
        const std::string_view component = path.substr(start, end - start);
        start = end + 1;
        if (!component.empty() && component != ".")
            step(component, end == path.size());
    }
}

}  // namespace

std::string resolve_path(const std::string& path) {
    if (path.empty() || entry_exists(path))
        return path;
    PathWalker walker(path.front() == '/');
    for_each_component(path, [&walker](std::string_view name, bool) { walker.step(name, false); });
    std::string& resolved = walker.resolved();
    if (resolved.empty())
        return ".";
    if (path.back() == '/' && resolved.back() != '/')
        resolved += '/';
    return std::move(resolved);
}

bool path_exists(const std::string& path) {
    return !path.empty() && entry_exists(resolve_path(path));
}

void create_parent_directories(const std::string& path) {
    PathWalker walker(!path.empty() && path.front() == '/');
    for_each_component(path, [&walker](std::string_view name, bool is_last) {
        if (!is_last)
            walker.step(name, true);
    });
}

std::FILE* open_file(const std::string& path, const char* mode) {
    return std::fopen(resolve_path(path).c_str(), mode);
}

std::string working_directory() {
    std::unique_ptr<char, decltype(&std::free)> path(getcwd(nullptr, 0), &std::free);
    return path ? std::string(path.get()) : std::string();
}

std::string change_directory(const std::string& path) {
    return chdir(path.c_str()) == 0 ? std::string() : std::string(std::strerror(errno));
}

}  // namespace tarn::platform
