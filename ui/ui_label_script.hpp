#pragma once

#include <squirrel.h>

namespace tarn {

// Registers the UILabel script class (a UIWidget class scripts may extend) in the root table.
void register_ui_label_class(HSQUIRRELVM vm);

}  // namespace tarn
