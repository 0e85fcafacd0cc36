#pragma once

#include "core/shared_string.hpp"
#include "resources/def_table.hpp"
#include "resources/emitter.hpp"

namespace tarn {

// Reads the keys of an emitter def that follow "sprite", in the loader's order, into emitter:
// ranges, angles in turns, the spawn box and the runs with their flags. The particle duration is
// settled against the sprites: sprites_timed tells whether every sprite has a duration above 0.
// Needs no GL. Logs each problem with the emitter's name; false when one fails the load.
bool read_emitter_keys(const DefTable& def, const SharedString& name, bool sprites_timed,
                       Emitter2dResource& emitter);

}  // namespace tarn
