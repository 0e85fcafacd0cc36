#pragma once

#include <squirrel.h>

#include "resources/texture.hpp"
#include "script/argument_reader.hpp"
#include "script/object_ref.hpp"

namespace tarn {

// Registers the Texture script class (constructor, create, find, load) in the root table.
void register_texture_class(HSQUIRRELVM vm);

// Reads a texture argument given as a Texture, a texture name (the texture of that name, created
// but not loaded when new) or null; an instance of another class also gives null. Anything else
// raises "Expecting texture, texture name or null.". Advances the reader by one.
bool read_texture_or_name(ArgumentReader& args, ObjectRef<Texture>& out);

}  // namespace tarn
