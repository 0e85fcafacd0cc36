#pragma once

#include "core/platform_state.hpp"

namespace tarn {

// Receives every press and release of an engine key code.
class KeyListener {
public:
    virtual ~KeyListener() = default;
    virtual void key_changed(int code, bool down) = 0;
};

// A press sets the pressed and down bits, a release clears down and sets released; then the
// listener hears of it. Codes outside the table only reach the listener.
void set_key(Platform& platform, KeyListener& listener, int code, bool down);

// Queries of the key state; codes outside 0..kKeyCount-1 answer false.
bool is_key_down(const Platform& platform, int code);
// Held now, or pressed or released during this frame.
bool was_key_down(const Platform& platform, int code);
bool was_key_pressed(const Platform& platform, int code);
bool was_key_released(const Platform& platform, int code);

}  // namespace tarn
