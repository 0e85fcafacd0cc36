#pragma once

namespace tarn {

class Texture;

// The live textures in construction order; each texture links itself in when constructed and
// out when destroyed.
struct TextureList {
    Texture* first = nullptr;
    Texture* last = nullptr;
};

// The engine's live textures. A process-wide object created at start-up (app/singletons.cpp).
TextureList& texture_list();

}  // namespace tarn
