#include "core/cvar_list.hpp"

#include <algorithm>

#include "core/cvar_config_line.hpp"
#include "core/log.hpp"
#include "core/message.hpp"
#include "core/replacing_file.hpp"
#include "core/std_file.hpp"
#include "platform/file_system.hpp"

namespace tarn {

namespace {

std::string_view view(const SharedString& text) {
    return std::string_view(text.data(), text.length());
}

bool is_line_end(char c) {
    return c == '\n' || c == '\r';
}

}  // namespace

CVar* CVarList::find(const char* name) const {
    const auto found = by_name_.find(std::string_view(name));
    return found != by_name_.end() ? found->second : nullptr;
}

CVar& CVarList::find_or_create(const char* name) {
    const std::scoped_lock lock(mutex_);
    return create_if_missing(name);
}

CVar& CVarList::create_if_missing(const char* name) {
    if (CVar* existing = find(name))
        return *existing;
    CVar& cvar = *list_.emplace_back(std::make_unique<CVar>(SharedString(name)));
    by_name_.emplace(view(cvar.name()), &cvar);
    return cvar;
}

template <typename T>
CVar& CVarList::register_default(const char* name, T default_value) {
    const std::scoped_lock lock(mutex_);
    CVar& cvar = create_if_missing(name);
    if (cvar.has(CVar::kRegistered)) {
        log_message(message("CVar '%1' already registered!", name));
        return cvar;
    }
    if (!cvar.has(CVar::kHasValue)) {
        cvar.set(default_value);
        cvar.clear_flag(CVar::kHasValue);
        cvar.clear_flag(CVar::kSave);
    }
    cvar.set_flag(CVar::kRegistered);
    return cvar;
}

CVar& CVarList::register_string(const char* name, const SharedString& default_value) {
    return register_default(name, default_value);
}

CVar& CVarList::register_integer(const char* name, std::int32_t default_value) {
    return register_default(name, default_value);
}

CVar& CVarList::register_float(const char* name, float default_value) {
    return register_default(name, default_value);
}

template <typename T>
CVar& CVarList::set_value(const char* name, T value) {
    const std::scoped_lock lock(mutex_);
    CVar& cvar = create_if_missing(name);
    cvar.set(value);
    return cvar;
}

CVar& CVarList::set_string(const char* name, const SharedString& value) {
    return set_value(name, value);
}

CVar& CVarList::set_integer(const char* name, std::int32_t value) {
    return set_value(name, value);
}

CVar& CVarList::set_float(const char* name, float value) {
    return set_value(name, value);
}

SharedString CVarList::get_string(const char* name) const {
    const CVar* cvar = find(name);
    return cvar ? cvar->value() : SharedString();
}

std::int32_t CVarList::get_integer(const char* name) const {
    const CVar* cvar = find(name);
    return cvar ? cvar->integer_value() : 0;
}

float CVarList::get_float(const char* name) const {
    const CVar* cvar = find(name);
    return cvar ? cvar->float_value() : 0.0f;
}

bool CVarList::load_config_file(const WidePath& path, bool from_boot) {
    Bytes bytes;
    if (!read_file(path, bytes)) {
        if (platform::path_exists(path.native()))
            unreadable_.push_back(platform::resolve_path(path.native()));
        return false;
    }
    apply_config_text(reinterpret_cast<const char*>(bytes.data()), bytes.size(), from_boot);
    return true;
}

void CVarList::apply_config_text(const char* text, std::size_t size, bool from_boot) {
    const std::scoped_lock lock(mutex_);
    std::size_t start = 0;
    while (start < size) {
        std::size_t end = start;
        while (end < size && !is_line_end(text[end]))
            ++end;
        const std::string_view line(text + start, end - start);
        start = end + (end + 1 < size && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);

        SharedString name, value;
        if (!parse_config_line(line, name, value))
            continue;
        CVar& cvar = create_if_missing(name.data());
        cvar.set(value);
        if (from_boot)
            cvar.clear_flag(CVar::kSave);
    }
}

SharedString CVarList::config_text() const {
    SharedString text;
    for (const auto& cvar : list_) {
        if (!cvar->has(CVar::kSave) || cvar->name().empty())
            continue;
        text.append(format_config_line(cvar->name(), cvar->value()));
        text.append("\r\n");
    }
    return text;
}

bool CVarList::save_config(const WidePath& path) const {
    const std::scoped_lock lock(mutex_);
    return write_config(path);
}

bool CVarList::save_config() const {
    const std::scoped_lock lock(mutex_);
    return write_config(save_path("game_config.txt"));
}

bool CVarList::write_config(const WidePath& path) const {
    if (std::ranges::count(unreadable_, platform::resolve_path(path.native())) > 0) {
        log_message(message("Keeping '%1', which could not be read.", path));
        log_message(message("Error saving config to '%1'.", path));
        return false;
    }
    create_directories(path);
    const SharedString text = config_text();
    if (write_file_replacing(path, text.data(), text.length()))
        return true;
    log_message(message("Error saving config to '%1'.", path));
    return false;
}

WidePath CVarList::save_path(const char* file_name) const {
    // Read in place: a copy would change the reference count of a value the main thread may be
    // copying at the same time (see save_config).
    const CVar* save_dir = find("system::save_dir");
    if (save_dir == nullptr)
        return save_file_path(SharedString(), file_name);
    return save_file_path(save_dir->value(), file_name);
}

void CVarList::release_all() {
    const std::scoped_lock lock(mutex_);
    by_name_.clear();
    list_.clear();
}

}  // namespace tarn
