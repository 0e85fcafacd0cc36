#include "core/name_table.hpp"

namespace tarn {

NameTable::NameTable() {
    names_.reserve(250);
    id("");
}

int NameTable::id(std::string_view name) {
    const auto [entry, added] = ids_.try_emplace(std::string(name), size());
    if (added)
        names_.emplace_back(name.data(), static_cast<int>(name.size()));
    return entry->second;
}

const SharedString& NameTable::name(int id) const {
    static const SharedString empty;
    return id >= 0 && id < size() ? names_[id] : empty;
}

}  // namespace tarn
