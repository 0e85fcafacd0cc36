#include "resources/emitter_script.hpp"

#include "resources/emitter.hpp"
#include "script/binding.hpp"
#include "script/resource_binding.hpp"

namespace tarn {

namespace {

constexpr NativeFunction kMethods[] = {
    {"constructor", construct_object<Emitter2dResource>, 1, "x"},
    {"create", create_resource<Emitter2dResource>, -1, nullptr},
};

}  // namespace

void register_emitter_class(HSQUIRRELVM vm) {
    register_class(vm, Emitter2dResource::class_descriptor, kMethods);
}

}  // namespace tarn
