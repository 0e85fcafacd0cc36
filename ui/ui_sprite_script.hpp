#pragma once

#include <squirrel.h>

namespace tarn {

// Registers the UISprite script class (a UIWidget class scripts may extend) in the root table.
void register_ui_sprite_class(HSQUIRRELVM vm);

}  // namespace tarn
