#pragma once

#include <squirrel.h>

#include <new>

#include "script/class_descriptor.hpp"
#include "script/object_reader.hpp"
#include "script/object_ref.hpp"
#include "script/owner_links.hpp"

namespace tarn {

// A native object living inside the user data of its own script instance, the base of
// script-extensible objects. It dies with its instance; an owned GameObject keeps its instance
// alive for as long as it has an owner.
class GameObject {
public:
    using InstanceBase = GameObject;

    static ClassDescriptor class_descriptor;

    GameObject(HSQUIRRELVM vm, const HSQOBJECT& instance) : vm_(vm), instance_(instance) {}
    GameObject(const GameObject&) = delete;
    GameObject& operator=(const GameObject&) = delete;

    virtual const ClassDescriptor& descriptor() const { return class_descriptor; }
    virtual ~GameObject();

    // The release hook of instances holding a GameObject: runs the destructor in place.
    static SQInteger instance_released(SQUserPointer object, SQInteger size);
    // Whether the instance at index holds a constructed GameObject.
    static bool is_bound_instance(HSQUIRRELVM vm, SQInteger index);

    HSQUIRRELVM vm() const { return vm_; }
    // The object's own instance (not counted).
    const HSQOBJECT& instance() const { return instance_; }

    GameObject* owner() const { return owner_links_.owner; }
    GameObject* first_owned() const { return owner_links_.first_owned; }
    GameObject* next_owned() const { return owner_links_.next_owned; }
    // The first owner takes a reference on this object's instance, losing the owner drops it.
    void set_owner(GameObject* owner);
    OwnerLinks<GameObject>& owner_links() { return owner_links_; }
    WeakList& weak_refs() { return weak_refs_; }

private:
    int owner_refs_ = 0;
    HSQUIRRELVM vm_;
    HSQOBJECT instance_;
    OwnerLinks<GameObject> owner_links_;
    WeakList weak_refs_;
};

// User-data bytes a GameObject instance reserves.
inline constexpr SQInteger kGameObjectUserDataSize = 88;
static_assert(sizeof(GameObject) == kGameObjectUserDataSize,
              "the GameObject script class reserves exactly one GameObject");

// Records the release hook of a GameObject just built at index.
void bind_game_object(HSQUIRRELVM vm, SQInteger index);

// Builds a T (a GameObject class whose script class reserves sizeof(T) bytes) inside the
// instance at index. An instance that already holds one keeps it. Null when the value is not
// an instance of T's script class.
template <typename T>
T* construct_game_object(HSQUIRRELVM vm, SQInteger index) {
    void* storage = nullptr;
    if (!tagged_instance(vm, index, InstanceTraits<T>::tag(), storage))
        return nullptr;
    if (GameObject::is_bound_instance(vm, index)) {
        return static_cast<T*>(static_cast<GameObject*>(storage));
    }
    HSQOBJECT instance;
    sq_getstackobj(vm, index, &instance);
    T* object = new (storage) T(vm, instance);
    bind_game_object(vm, index);
    return object;
}

}  // namespace tarn
