#pragma once

#include <squirrel.h>

#include "resources/sprite.hpp"
#include "script/argument_reader.hpp"
#include "script/object_ref.hpp"

namespace tarn {

// Registers the Sprite script class (constructor, create) in the root table.
void register_sprite_class(HSQUIRRELVM vm);

// Reads a sprite given as a Sprite, a sprite name (the loaded sprite of that name, or the
// "_invalid_" one) or null; an instance of another class gives null. A Sprite that cannot load
// is replaced by the sprite of its own name, or "_invalid_" without one. Anything else raises
// "Expecting sprite name or null.". Advances the reader by one.
bool read_sprite_name_or_null(ArgumentReader& args, ObjectRef<Sprite>& out);

// Reads a sprite given as a Sprite, a sprite name (created, not loaded, when new) or null; an
// instance of another class gives null. Anything else raises "Expecting sprite, sprite name or
// null.". Advances the reader by one.
bool read_sprite_or_name(ArgumentReader& args, ObjectRef<Sprite>& out);

}  // namespace tarn
