#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/shared_string.hpp"

namespace tarn {

// Interns names into small integer ids for the renderer, shaders, materials and UI labels. The
// empty name is id 0; ids are handed out in order of first use and never change.
class NameTable {
public:
    NameTable();

    int id(std::string_view name);
    // The name of an id; empty for an id never handed out.
    const SharedString& name(int id) const;
    int size() const { return static_cast<int>(names_.size()); }

private:
    std::vector<SharedString> names_;
    std::unordered_map<std::string, int> ids_;
};

// The engine's name table. A process-wide object created at start-up (app/singletons.cpp).
NameTable& name_table();

}  // namespace tarn
