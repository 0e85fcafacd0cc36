#pragma once

namespace tarn {

// Builds the engine's process-wide objects in their fixed order (after the log holder, which
// exists from the start): platform record, data path, renderer, object registry (settings, live
// textures, fonts and files open for writing), sound system, script host, name table and frame
// timing. They live until the process ends. Each is reached through the accessor its own subsystem
// declares.
void create_singletons();

}  // namespace tarn
