#pragma once

#include <cstdint>

namespace tarn {

// Bytes of texture memory held by the textures that loaded (load state Loaded), for
// System.get_texture_memory_usage.
std::int64_t loaded_texture_memory();

}  // namespace tarn
