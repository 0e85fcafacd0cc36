#include "core/wide_path.hpp"

#include <algorithm>

#include "core/message.hpp"
#include "core/os_services.hpp"
#include "core/utf.hpp"
#include "platform/file_system.hpp"

namespace tarn {

WidePath::WidePath(const char* utf8, int length) {
    append_utf8_as_utf16(units_, utf8, length);
    normalise();
}

WidePath::WidePath(const SharedString& utf8) : WidePath(utf8.data(), utf8.length()) {}

WidePath::WidePath(const WideString& units) : units_(units) {
    normalise();
}

SharedString WidePath::to_utf8() const {
    return utf16_to_utf8(units_.data(), units_.length());
}

std::string WidePath::native() const {
    const SharedString utf8 = to_utf8();
    std::string path(utf8.data(), utf8.length());
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

void WidePath::normalise() {
    if (std::find(units_.begin(), units_.end(), u'/') != units_.end()) {
        char16_t* units = units_.mutable_data();
        std::replace(units, units + units_.length(), u'/', u'\\');
    }
    int leading = 0;
    while (leading < 2 && leading < length() && units_[leading] == u'\\')
        ++leading;
    int end = length();
    while (end > std::max(1, leading) && units_[end - 1] == u'\\')
        --end;
    if (end != length())
        units_.resize(end);
}

WidePath join(const WidePath& path, const WidePath& tail) {
    if (tail.empty())
        return path;
    WideString units = path.units();
    if (!units.empty() && units[units.length() - 1] != u'\\')
        units.append(u'\\');
    units.append(tail.units());
    return WidePath(units);
}

WidePath expand(const WidePath& path) {
    const SharedString text = path.to_utf8();
    const char* colon = std::find(text.begin(), text.end(), ':');
    if (colon == text.end())
        return path;
    const SharedString prefix(text.data(), static_cast<int>(colon - text.data()));
    const char* rest = colon + 1;
    const int rest_length = static_cast<int>(text.end() - rest);
    if (prefix == "root")
        return WidePath(rest, rest_length);
    if (prefix != "user")
        return path;
    const WidePath documents = my_documents();
    if (documents.empty())
        return path;
    SharedString expanded = documents.to_utf8();
    expanded.append('/');
    expanded.append(rest, rest_length);
    return WidePath(expanded);
}

WidePath save_file_path(const SharedString& save_dir, const char* file_name) {
    return expand(join(WidePath(save_dir), WidePath(file_name)));
}

void create_directories(const WidePath& path) {
    platform::create_parent_directories(path.native());
}

SharedString& arg(SharedString& message, const WidePath& path) {
    const std::string native = path.native();
    return arg(message, native.c_str(), static_cast<int>(native.size()));
}

}  // namespace tarn
