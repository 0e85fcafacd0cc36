#include "platform/documents_folder.hpp"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>
#include <vector>

namespace tarn::platform {

namespace {

std::string without_trailing_slashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// `relative` is empty or starts with '/'; a home of "/" must not produce "//Documents".
std::string in_home(const std::string& home, const std::string& relative) {
    if (home == "/" && !relative.empty())
        return relative;
    return home + relative;
}

std::optional<std::string> non_empty_env(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0')
        return std::nullopt;
    return std::string(value);
}

std::optional<std::string> home_folder() {
    if (std::optional<std::string> home = non_empty_env("HOME")) {
        return without_trailing_slashes(*home);
    }
    long size_hint = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size_hint > 0 ? static_cast<std::size_t>(size_hint) : 4096);
    passwd entry{};
    passwd* found = nullptr;
    int error;
    while ((error = getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found)) == ERANGE) {
        buffer.resize(buffer.size() * 2);
    }
    if (error != 0 || found == nullptr || found->pw_dir == nullptr || *found->pw_dir == '\0') {
        return std::nullopt;
    }
    return without_trailing_slashes(found->pw_dir);
}

std::string user_dirs_file(const std::string& home) {
    std::optional<std::string> config = non_empty_env("XDG_CONFIG_HOME");
    // Relative values are invalid for XDG variables and are ignored.
    std::string base = config && config->front() == '/' ? *config : home + "/.config";
    return base + "/user-dirs.dirs";
}

std::string_view skip_blanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text;
}

// The text between double quotes at the start of `text`, with backslash escapes removed.
std::optional<std::string> quoted_value(std::string_view text) {
    if (text.empty() || text.front() != '"')
        return std::nullopt;
    std::string value;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] == '"')
            return value;
        if (text[i] == '\\' && i + 1 < text.size())
            ++i;
        value += text[i];
    }
    return std::nullopt;
}

// The folder named by a `XDG_DOCUMENTS_DIR="..."` line; nothing for any other line. Values are
// "$HOME/path", "$HOME" alone or an absolute path, as xdg-user-dirs writes them.
std::optional<std::string> documents_entry(std::string_view line, const std::string& home) {
    constexpr std::string_view key = "XDG_DOCUMENTS_DIR";
    line = skip_blanks(line);
    if (!line.starts_with(key))
        return std::nullopt;
    line = skip_blanks(line.substr(key.size()));
    if (line.empty() || line.front() != '=')
        return std::nullopt;
    std::optional<std::string> value = quoted_value(skip_blanks(line.substr(1)));
    if (!value)
        return std::nullopt;
    constexpr std::string_view home_variable = "$HOME";
    if (value->starts_with(home_variable)) {
        std::string rest = value->substr(home_variable.size());
        if (!rest.empty() && rest.front() != '/')
            return std::nullopt;
        return without_trailing_slashes(in_home(home, rest));
    }
    if (value->empty() || value->front() != '/')
        return std::nullopt;
    return without_trailing_slashes(*value);
}

// The last documents entry of user-dirs.dirs wins, as when the shell sources the file.
std::optional<std::string> documents_from_user_dirs(const std::string& home) {
    std::ifstream file(user_dirs_file(home));
    std::optional<std::string> folder;
    std::string line;
    while (std::getline(file, line)) {
        if (std::optional<std::string> entry = documents_entry(line, home))
            folder = entry;
    }
    return folder;
}

std::optional<std::string> locate_documents() {
    if (std::optional<std::string> folder = non_empty_env("XDG_DOCUMENTS_DIR")) {
        return without_trailing_slashes(*folder);
    }
    std::optional<std::string> home = home_folder();
    if (!home)
        return std::nullopt;
    if (std::optional<std::string> folder = documents_from_user_dirs(*home))
        return folder;
    return in_home(*home, "/Documents");
}

}  // namespace

std::optional<std::string> documents_folder() {
    std::optional<std::string> folder = locate_documents();
    if (!folder)
        return std::nullopt;
    std::error_code error;
    std::filesystem::create_directories(*folder, error);
    if (!std::filesystem::is_directory(*folder, error))
        return std::nullopt;
    return folder;
}

}  // namespace tarn::platform
