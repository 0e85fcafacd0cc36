#pragma once

#include <vector>

#include "core/shared_string.hpp"

namespace tarn {

// The names of render properties (textures and values shaders and materials refer to) with
// stable indices; it starts with the engine's 28 built-in names.
class PropertyRegistry {
public:
    PropertyRegistry();

    // The index of name, appending it when unknown.
    int find_or_add(const char* name);
    // The name at index, or the empty string when out of range.
    SharedString name(int index) const;
    int size() const { return static_cast<int>(names_.size()); }

private:
    std::vector<SharedString> names_;
};

}  // namespace tarn
