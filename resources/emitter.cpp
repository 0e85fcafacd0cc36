#include "resources/emitter.hpp"

#include <algorithm>

#include "core/log.hpp"
#include "core/message.hpp"
#include "resources/def_table.hpp"
#include "resources/emitter_def.hpp"
#include "resources/resource_loading.hpp"

namespace tarn {

ClassDescriptor Emitter2dResource::class_descriptor(
    "Emitter2dResource", &EngineObject::class_descriptor, "emitter_def_to_obj", "g_emitter_defs",
    nullptr, []() -> EngineObject* { return new Emitter2dResource; });

namespace {

using SpriteList = std::vector<ObjectRef<Sprite>>;

// Appends the sprite that name (a script string) names, loaded; false when it does not load
// (its loader has said why).
bool add_sprite(const ScriptObject& name, SpriteList& sprites) {
    ObjectRef<Sprite> sprite(get_or_create<Sprite>(name.vm(), sq_objtostring(&name.handle())));
    if (!sprite || !sprite->ensure_loaded())
        return false;
    sprites.push_back(std::move(sprite));
    return true;
}

// The def's "sprite": one sprite name or a non-empty array of them.
bool read_sprites(const DefTable& def, const SharedString& name, SpriteList& sprites) {
    const ScriptObject value = def.get("sprite");
    if (value.type() == OT_STRING)
        return add_sprite(value, sprites);
    const std::vector<ScriptObject> items = elements_of(value);
    bool ok = value.type() == OT_ARRAY;
    if (ok && items.empty()) {
        log_message(message("Emitter %1: Invalid number of sprites.", name));
        return false;
    }
    for (std::size_t i = 0; ok && i < items.size(); ++i)
        ok = items[i].type() == OT_STRING;
    if (!ok) {
        log_message(message("Emitter %1: Invalid sprites.", name));
        return false;
    }
    return std::all_of(items.begin(), items.end(),
                       [&](const ScriptObject& item) { return add_sprite(item, sprites); });
}

bool every_sprite_timed(const SpriteList& sprites) {
    return std::all_of(sprites.begin(), sprites.end(),
                       [](const ObjectRef<Sprite>& s) { return s->duration() > 0.0f; });
}

}  // namespace

Emitter2dResource::~Emitter2dResource() = default;

bool Emitter2dResource::load() {
    const DefTable def(get_def());
    const SharedString name = get_def_name();
    sprites.clear();
    if (read_sprites(def, name, sprites) &&
        read_emitter_keys(def, name, every_sprite_timed(sprites), *this)) {
        set_load_state(kLoaded);
        return true;
    }
    sprites.clear();
    set_load_state(kFailed);
    log_message(message("Unable to load emitter '%1'.", name));
    return false;
}

}  // namespace tarn
