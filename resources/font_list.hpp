#pragma once

namespace tarn {

class Font;

// The live fonts in construction order; each font links itself in when constructed and out when
// destroyed.
struct FontList {
    Font* first = nullptr;
    Font* last = nullptr;
};

// The engine's live fonts. A process-wide object created at start-up (app/singletons.cpp).
FontList& font_list();

}  // namespace tarn
