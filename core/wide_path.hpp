#pragma once

#include <string>

#include "core/shared_string.hpp"

namespace tarn {

// A file-system path of UTF-16 units in the engine's Windows form: '/' is stored as '\', trailing
// separators are trimmed (a lone '\' and the two leading '\' of a network path stay). Paths
// become UTF-8 with '/' only at the operating-system boundary (native()).
class WidePath {
public:
    WidePath() = default;
    explicit WidePath(const char* utf8, int length = -1);
    explicit WidePath(const SharedString& utf8);
    explicit WidePath(const WideString& units);

    const WideString& units() const { return units_; }
    int length() const { return units_.length(); }
    bool empty() const { return units_.empty(); }

    SharedString to_utf8() const;
    // The UTF-8 path with '/' separators, for the operating system.
    std::string native() const;

    friend bool operator==(const WidePath& a, const WidePath& b) { return a.units_ == b.units_; }

private:
    void normalise();

    WideString units_;
};

// path + '\' + tail (no separator is added after one that is already there); an empty tail
// leaves the path unchanged.
WidePath join(const WidePath& path, const WidePath& tail);

// Expands the prefix before the first ':': "user" becomes the documents folder (left unchanged
// when the folder cannot be found), "root" is dropped; any other prefix stays.
WidePath expand(const WidePath& path);

// The expanded path of a file in the save directory named by save_dir.
WidePath save_file_path(const SharedString& save_dir, const char* file_name);

// Creates every missing directory leading to the last component, which is taken as a file name.
void create_directories(const WidePath& path);

// Messages show paths the way the user's system writes them.
SharedString& arg(SharedString& message, const WidePath& path);

}  // namespace tarn
