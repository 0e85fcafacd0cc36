#include "resources/texture_argument.hpp"

#include "resources/resource_loading.hpp"
#include "script/instance_binding.hpp"

namespace tarn {

bool read_texture_or_name(ArgumentReader& args, ObjectRef<Texture>& out) {
    HSQUIRRELVM vm = args.vm();
    const SQInteger index = args.index();
    switch (args.type()) {
        case OT_NULL:
            out.reset();
            break;
        case OT_INSTANCE:
            out.reset(bound_object_at<Texture>(vm, index));
            break;
        case OT_STRING: {
            const char* name = nullptr;
            if (!read_string(vm, index, name))
                return false;
            out.reset(get_or_create<Texture>(vm, name));
            break;
        }
        default:
            raise_expecting(vm, "texture, texture name or null.");
            return false;
    }
    args.skip();
    return true;
}

}  // namespace tarn
