#include "core/key_state.hpp"

namespace tarn {

namespace {

bool in_table(int code) {
    return code >= 0 && code < kKeyCount;
}

std::uint8_t key_byte(const Platform& platform, int code) {
    return in_table(code) ? platform.keys[code] : 0;
}

}  // namespace

void set_key(Platform& platform, KeyListener& listener, int code, bool down) {
    if (in_table(code)) {
        std::uint8_t& state = platform.keys[code];
        if (down)
            state |= kKeyPressed | kKeyDown;
        else
            state = (state & ~kKeyDown) | kKeyReleased;
    }
    listener.key_changed(code, down);
}

bool is_key_down(const Platform& platform, int code) {
    return (key_byte(platform, code) & kKeyDown) != 0;
}

bool was_key_down(const Platform& platform, int code) {
    return key_byte(platform, code) != 0;
}

bool was_key_pressed(const Platform& platform, int code) {
    return (key_byte(platform, code) & kKeyPressed) != 0;
}

bool was_key_released(const Platform& platform, int code) {
    return (key_byte(platform, code) & kKeyReleased) != 0;
}

}  // namespace tarn
