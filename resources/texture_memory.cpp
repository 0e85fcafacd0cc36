#include "resources/texture_memory.hpp"

#include "resources/texture.hpp"

namespace tarn {

std::int64_t loaded_texture_memory() {
    std::int64_t bytes = 0;
    for (const Texture* t = first_texture(); t != nullptr; t = t->next()) {
        if (t->load_state() == EngineObject::kLoaded)
            bytes += t->memory_bytes();
    }
    return bytes;
}

}  // namespace tarn
