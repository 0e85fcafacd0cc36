#include "script/game_object.hpp"

namespace tarn {

ClassDescriptor GameObject::class_descriptor("GameObject", nullptr, nullptr, nullptr);

GameObject::~GameObject() {
    weak_refs_.clear();
    while (GameObject* owned = owner_links_.first_owned)
        owned->set_owner(nullptr);
    // Only a closing VM releases an owned instance; its owner's list must not keep it.
    unlink_owned(this);
}

SQInteger GameObject::instance_released(SQUserPointer object, SQInteger /*size*/) {
    static_cast<GameObject*>(object)->~GameObject();
    return 0;
}

bool GameObject::is_bound_instance(HSQUIRRELVM vm, SQInteger index) {
    return sq_getreleasehook(vm, index) == &GameObject::instance_released;
}

void GameObject::set_owner(GameObject* owner) {
    GameObject* old_owner = owner_links_.owner;
    if (owner == old_owner)
        return;
    unlink_owned(this);
    if (owner != nullptr)
        link_owned(owner, this);
    if (old_owner == nullptr) {
        owner_refs_ = 1;
        sq_addref(vm_, &instance_);
    } else if (owner == nullptr) {
        owner_refs_ = 0;
        HSQOBJECT instance = instance_;
        sq_release(vm_, &instance);  // last: may destroy this object
    }
}

void bind_game_object(HSQUIRRELVM vm, SQInteger index) {
    sq_setreleasehook(vm, index, &GameObject::instance_released);
}

}  // namespace tarn
