#include "resources/font_script.hpp"

#include "resources/resource_loading.hpp"
#include "script/binding.hpp"
#include "script/resource_binding.hpp"

namespace tarn {

namespace {

constexpr NativeFunction kMethods[] = {
    {"constructor", construct_object<Font>, 1, "x"},
    {"create", create_resource<Font>, -1, nullptr},
    {"find", find_resource<Font>, 2, ".s"},
};

}  // namespace

void register_font_class(HSQUIRRELVM vm) {
    register_class(vm, Font::class_descriptor, kMethods);
}

bool read_font_or_name(ArgumentReader& args, ObjectRef<Font>& out) {
    return read_resource(args, out, {"font, font name or null.", get_or_create<Font>});
}

}  // namespace tarn
