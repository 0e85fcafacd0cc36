#pragma once

#include <squirrel.h>

#include "resources/font.hpp"
#include "script/argument_reader.hpp"
#include "script/object_ref.hpp"

namespace tarn {

// Registers the Font script class (constructor, create, find) in the root table.
void register_font_class(HSQUIRRELVM vm);

// Reads a font argument given as a Font, a font name (the font of that name, created but not
// loaded when new) or null; an instance of another class also gives null. Anything else raises
// "Expecting font, font name or null.". Advances the reader by one.
bool read_font_or_name(ArgumentReader& args, ObjectRef<Font>& out);

}  // namespace tarn
