#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/cvar.hpp"
#include "core/wide_path.hpp"

namespace tarn {

// Every configuration variable, in creation order, found by exact name. Variables live until
// release_all at shutdown: nothing a script does removes one.
// The main thread alone reads and changes them, except that a forced exit may save them from
// another thread: so every change made through the list, and every save, holds one lock.
class CVarList {
public:
    CVarList() = default;
    CVarList(const CVarList&) = delete;
    CVarList& operator=(const CVarList&) = delete;

    CVar* find(const char* name) const;
    CVar& find_or_create(const char* name);

    // Registration gives a default that a value from a file or a set operation keeps priority
    // over; registering a name twice logs and keeps the first registration.
    CVar& register_string(const char* name, const SharedString& default_value);
    CVar& register_integer(const char* name, std::int32_t default_value);
    CVar& register_float(const char* name, float default_value);

    CVar& set_string(const char* name, const SharedString& value);
    CVar& set_integer(const char* name, std::int32_t value);
    CVar& set_float(const char* name, float value);

    // The value text; empty when the variable does not exist.
    SharedString get_string(const char* name) const;
    std::int32_t get_integer(const char* name) const;
    float get_float(const char* name) const;

    // Applies "name = value" lines; false only when the file cannot be read. Values from the
    // boot configuration are applied but never saved. A file that exists but cannot be read
    // (too big, say) is never replaced by save_config, which would lose its settings.
    bool load_config_file(const WidePath& path, bool from_boot);
    void apply_config_text(const char* text, std::size_t size, bool from_boot);
    // The saved form: every variable flagged for saving, as name = "value" lines ending in CR LF.
    SharedString config_text() const;
    // Writes config_text to the file, replacing the old one only once the new one is complete.
    bool save_config(const WidePath& path) const;
    // Saves to "game_config.txt" in the save directory.
    bool save_config() const;
    // A file in the save directory named by "system::save_dir".
    WidePath save_path(const char* file_name) const;

    // Drops every variable (shutdown).
    void release_all();

    const std::vector<std::unique_ptr<CVar>>& all() const { return list_; }

private:
    CVar& create_if_missing(const char* name);
    template <typename T>
    CVar& register_default(const char* name, T default_value);
    template <typename T>
    CVar& set_value(const char* name, T value);
    bool write_config(const WidePath& path) const;

    mutable std::mutex mutex_;
    std::vector<std::unique_ptr<CVar>> list_;
    std::unordered_map<std::string_view, CVar*> by_name_;
    // Configuration files that exist but could not be read, as the operating system names them.
    std::vector<std::string> unreadable_;
};

// The engine's settings. A process-wide object created at start-up (app/singletons.cpp).
CVarList& cvar_list();

}  // namespace tarn
