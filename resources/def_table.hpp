#pragma once

#include <squirrel.h>

#include <array>

#include "core/shared_string.hpp"
#include "script/script_object.hpp"

namespace tarn {

// Whether a script value is an integer or a float, and its value as a float.
bool is_number(const ScriptObject& value);
float to_float(const ScriptObject& value);

// Typed reads of the keys of a resource definition table. A missing key, or a value of a type
// the read cannot use, gives the default, so a careless def never breaks the loader.
class DefTable {
public:
    explicit DefTable(ScriptObject table) : table_(std::move(table)) {}

    bool is_null() const { return table_.type() != OT_TABLE; }
    // Whether the key exists, whatever its value.
    bool has(const char* key) const;
    ScriptObject get(const char* key) const;

    // A bool, or a number (non-zero is true).
    bool boolean(const char* key, bool fallback) const;
    // A string; empty for anything else.
    SharedString string(const char* key) const;
    // A number (a float is truncated toward zero).
    int integer(const char* key, int fallback) const;
    float number(const char* key, float fallback) const;
    // An array of at least two numbers.
    bool pair(const char* key, std::array<float, 2>& out) const;
    // An array of three or four numbers: red, green, blue and an optional alpha.
    bool color(const char* key, std::array<float, 4>& out) const;

private:
    ScriptObject table_;
};

}  // namespace tarn
