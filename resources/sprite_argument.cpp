#include "resources/sprite_argument.hpp"

#include "resources/resource_loading.hpp"
#include "script/instance_binding.hpp"

namespace tarn {

namespace {

// A sprite that is loaded, or what stands in for it.
Sprite* usable_sprite(HSQUIRRELVM vm, Sprite* sprite) {
    if (sprite == nullptr || sprite->ensure_loaded())
        return sprite;
    const SharedString name = sprite->get_def_name();
    return get_or_load<Sprite>(vm, name.length() != 0 ? name.data() : "_invalid_");
}

// Reads one sprite argument; load picks the loaded sprite of a name instead of creating it.
bool read_sprite(ArgumentReader& args, ObjectRef<Sprite>& out, bool load, const char* expecting) {
    HSQUIRRELVM vm = args.vm();
    const SQInteger index = args.index();
    switch (args.type()) {
        case OT_NULL:
            out.reset();
            break;
        case OT_INSTANCE: {
            Sprite* sprite = bound_object_at<Sprite>(vm, index);
            out.reset(load ? usable_sprite(vm, sprite) : sprite);
            break;
        }
        case OT_STRING: {
            const char* name = nullptr;
            if (!read_string(vm, index, name))
                return false;
            out.reset(load ? get_or_load<Sprite>(vm, name) : get_or_create<Sprite>(vm, name));
            break;
        }
        default:
            raise_expecting(vm, expecting);
            return false;
    }
    args.skip();
    return true;
}

}  // namespace

bool read_sprite_name_or_null(ArgumentReader& args, ObjectRef<Sprite>& out) {
    return read_sprite(args, out, true, "sprite name or null.");
}

bool read_sprite_or_name(ArgumentReader& args, ObjectRef<Sprite>& out) {
    return read_sprite(args, out, false, "sprite, sprite name or null.");
}

}  // namespace tarn
