#include "script/game_object_script.hpp"

#include "script/binding.hpp"
#include "script/game_object.hpp"

namespace tarn {

namespace {

SQInteger construct(HSQUIRRELVM vm) {
    if (construct_game_object<GameObject>(vm, 1) == nullptr)
        return raise_expecting(vm, GameObject::class_descriptor.name);
    return 0;
}

SQInteger set_owner(HSQUIRRELVM vm) {
    GameObject* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    self->set_owner(sq_gettop(vm) >= 2 ? object_at<GameObject>(vm, 2) : nullptr);
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
