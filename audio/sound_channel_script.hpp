#pragma once

#include <squirrel.h>

namespace tarn {

// Registers the SoundChannel script class in the root table.
void register_sound_channel_class(HSQUIRRELVM vm);

}  // namespace tarn
