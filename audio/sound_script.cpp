#include "audio/sound_script.hpp"

#include "audio/sound.hpp"
#include "script/binding.hpp"
#include "script/resource_binding.hpp"

namespace tarn {

namespace {

constexpr NativeFunction kMethods[] = {
    {"constructor", construct_object<Sound>, 1, "x"},
    {"create", create_resource<Sound>, -1, nullptr},
    {"find", find_resource<Sound>, 2, ".s"},
};

}  // namespace

void register_sound_class(HSQUIRRELVM vm) {
    register_class(vm, Sound::class_descriptor, kMethods);
}

}  // namespace tarn
