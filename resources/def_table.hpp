#pragma once

#include <squirrel.h>

#include <array>
#include <span>
#include <vector>

#include "core/shared_string.hpp"
#include "script/script_object.hpp"

namespace tarn {

// Whether a script value is an integer or a float, and its value as a float.
bool is_number(const ScriptObject& value);
float to_float(const ScriptObject& value);
// The elements of an array value; empty for anything else.
std::vector<ScriptObject> elements_of(const ScriptObject& array);
// Reads the leading numbers of an array value into out, at most out.size() of them. The array's
// length, or -1 when the value is not an array or an element read is not a number.
int read_numbers(const ScriptObject& array, std::span<float> out);

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
    // A string; the fallback when the key is missing or null, empty for any other value.
    SharedString string(const char* key, const char* fallback = "") const;
    // A number (a float is truncated toward zero).
    int integer(const char* key, int fallback) const;
    float number(const char* key, float fallback) const;
    // An array: its elements, or its leading numbers as read_numbers reads them.
    std::vector<ScriptObject> elements(const char* key) const { return elements_of(get(key)); }
    int numbers(const char* key, std::span<float> out) const { return read_numbers(get(key), out); }
    // An array of at least two numbers.
    bool pair(const char* key, std::array<float, 2>& out) const;
    // An array of three or four numbers: red, green, blue and an optional alpha.
    bool color(const char* key, std::array<float, 4>& out) const;

private:
    ScriptObject table_;
};

}  // namespace tarn
