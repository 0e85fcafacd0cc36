#include "resources/texture_script.hpp"

#include "resources/resource_loading.hpp"
#include "script/binding.hpp"
#include "script/resource_binding.hpp"

namespace tarn {

namespace {

constexpr NativeFunction kMethods[] = {
    {"constructor", construct_object<Texture>, 1, "x"},
    {"create", create_resource<Texture>, -1, nullptr},
    {"find", find_resource<Texture>, 2, ".s"},
    {"load", load_resource<Texture>, 1, "x"},
};

}  // namespace

void register_texture_class(HSQUIRRELVM vm) {
    register_class(vm, Texture::class_descriptor, kMethods);
}

bool read_texture_or_name(ArgumentReader& args, ObjectRef<Texture>& out) {
    return read_resource(args, out, {"texture, texture name or null.", get_or_create<Texture>});
}

}  // namespace tarn
