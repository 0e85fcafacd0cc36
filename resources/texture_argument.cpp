#include "resources/texture_argument.hpp"

#include "resources/resource_loading.hpp"

namespace tarn {

namespace {

Texture* texture_of_instance(HSQUIRRELVM vm, SQInteger index) {
    SQUserPointer pointer = nullptr;
    const void* tag = Texture::class_descriptor.type_tag();
    if (SQ_FAILED(sq_getinstanceup(vm, index, &pointer, const_cast<void*>(tag))) ||
        pointer == nullptr || !EngineObject::is_bound_instance(vm, index))
        return nullptr;
    return static_cast<Texture*>(static_cast<EngineObject*>(pointer));
}

}  // namespace

bool read_texture_or_name(ArgumentReader& args, ObjectRef<Texture>& out) {
    HSQUIRRELVM vm = args.vm();
    const SQInteger index = args.index();
    switch (args.type()) {
        case OT_NULL:
            out.reset();
            break;
        case OT_INSTANCE:
            out.reset(texture_of_instance(vm, index));
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
