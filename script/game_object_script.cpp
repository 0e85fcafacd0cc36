#include "script/game_object_script.hpp"

#include "script/binding.hpp"
#include "script/game_object.hpp"

namespace tarn {

namespace {

SQInteger construct(HSQUIRRELVM vm) {
    if (construct_game_object<GameObject>(vm, 1) == nullptr)
        return raise_expecting(vm, "GameObject");
    return 0;
}

// The GameObject of the value at index, or null when it is anything else.
GameObject* game_object_at(HSQUIRRELVM vm, SQInteger index) {
    void* storage = game_object_storage(vm, index, GameObject::class_descriptor);
    if (storage == nullptr || !GameObject::is_bound_instance(vm, index))
        return nullptr;
    return static_cast<GameObject*>(storage);
}

SQInteger set_owner(HSQUIRRELVM vm) {
    GameObject* self = nullptr;
    if (!read_object(vm, 1, self))
        return SQ_ERROR;
    self->set_owner(sq_gettop(vm) >= 2 ? game_object_at(vm, 2) : nullptr);
    return 0;
}

constexpr NativeFunction kMethods[] = {
    {"constructor", construct, 0, nullptr},
    {"set_owner", set_owner, 0, nullptr},
};

}  // namespace

void register_game_object_class(HSQUIRRELVM vm) {
    ClassDescriptor& cls = GameObject::class_descriptor;
    cls.script_class =
        new_class(root_table(vm), cls.name, nullptr, cls.type_tag(), kGameObjectUserDataSize);
    bind_functions(cls.script_class, kMethods);
}

}  // namespace tarn
