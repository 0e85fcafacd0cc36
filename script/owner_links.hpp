#pragma once

namespace tarn {

// The owner of an object and the ordered list of the objects it owns. T reaches its links
// through owner_links().
template <typename T>
struct OwnerLinks {
    T* owner = nullptr;
    T* first_owned = nullptr;
    T* last_owned = nullptr;
    T* prev_owned = nullptr;
    T* next_owned = nullptr;
};

// Appends object at the tail of owner's list and makes owner its owner.
template <typename T>
void link_owned(T* owner, T* object) {
    OwnerLinks<T>& links = object->owner_links();
    OwnerLinks<T>& owner_links = owner->owner_links();
    links.owner = owner;
    links.prev_owned = owner_links.last_owned;
    links.next_owned = nullptr;
    if (owner_links.last_owned != nullptr)
        owner_links.last_owned->owner_links().next_owned = object;
    else
        owner_links.first_owned = object;
    owner_links.last_owned = object;
}

// Takes object out of its owner's list; it has no owner afterwards.
template <typename T>
void unlink_owned(T* object) {
    OwnerLinks<T>& links = object->owner_links();
    if (links.owner == nullptr)
        return;
    OwnerLinks<T>& owner_links = links.owner->owner_links();
    if (links.prev_owned != nullptr)
        links.prev_owned->owner_links().next_owned = links.next_owned;
    else
        owner_links.first_owned = links.next_owned;
    if (links.next_owned != nullptr)
        links.next_owned->owner_links().prev_owned = links.prev_owned;
    else
        owner_links.last_owned = links.prev_owned;
    links.owner = links.prev_owned = links.next_owned = nullptr;
}

}  // namespace tarn
