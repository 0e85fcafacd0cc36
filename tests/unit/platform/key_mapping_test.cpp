// SDL keys, mouse buttons and joystick buttons onto the engine's key codes.
#include "platform/key_mapping.hpp"

#include <SDL_keysym.h>
#include <gtest/gtest.h>

#include <span>

namespace tarn::platform {
namespace {

void expect_codes(std::span<const int> sdl_keys, std::span<const int> codes) {
    ASSERT_EQ(sdl_keys.size(), codes.size());
    for (std::size_t i = 0; i < sdl_keys.size(); ++i)
        EXPECT_EQ(key_code_of_sdl_key(sdl_keys[i]), codes[i]) << "SDL key " << sdl_keys[i];
}

TEST(KeyMapping, ControlAndPrintableKeysKeepTheirSdlValue) {
    const int keys[] = {SDLK_BACKSPACE, SDLK_TAB,   SDLK_RETURN,    SDLK_ESCAPE,
                        SDLK_SPACE,     SDLK_MINUS, SDLK_0,         SDLK_9,
                        SDLK_a,         SDLK_z,     SDLK_BACKQUOTE, 126};
    const int codes[] = {8, 9, 13, 27, 32, 45, 48, 57, 97, 122, 96, 126};
    expect_codes(keys, codes);
}

TEST(KeyMapping, KeypadArrowsEditingFunctionAndModifierKeys) {
    const int keys[] = {SDLK_KP0,    SDLK_KP9,      SDLK_KP_PERIOD, SDLK_KP_EQUALS, SDLK_UP,
                        SDLK_DOWN,   SDLK_LEFT,     SDLK_RIGHT,     SDLK_INSERT,    SDLK_DELETE,
                        SDLK_HOME,   SDLK_PAGEDOWN, SDLK_F1,        SDLK_F15,       SDLK_RSHIFT,
                        SDLK_LSHIFT, SDLK_RCTRL,    SDLK_LALT,      SDLK_LMETA,     SDLK_RMETA};
    const int codes[] = {128, 137, 138, 144, 145, 146, 147, 148, 149, 150,
                         151, 154, 155, 169, 170, 171, 172, 175, 176, 177};
    expect_codes(keys, codes);
}

TEST(KeyMapping, KeysWithoutACodeLandOnNone) {
    const int keys[] = {
        SDLK_UNKNOWN, SDLK_CLEAR, SDLK_PAUSE,   SDLK_CAPSLOCK, SDLK_NUMLOCK, SDLK_LSUPER,
        SDLK_PRINT,   SDLK_MENU,  SDLK_WORLD_0, SDLK_WORLD_95, SDLK_UNDO,    SDLK_COMPOSE,
        10,           -5,         100000};
    const int codes[] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    expect_codes(keys, codes);
}

TEST(KeyMapping, MouseAndJoystickButtons) {
    EXPECT_EQ(key_code_of_mouse_button(1), 178);
    EXPECT_EQ(key_code_of_mouse_button(3), 179);
    EXPECT_EQ(key_code_of_mouse_button(2), 180);
    EXPECT_EQ(key_code_of_mouse_button(4), 181);
    EXPECT_EQ(key_code_of_mouse_button(5), 182);
    EXPECT_EQ(key_code_of_mouse_button(6), 0);
    EXPECT_EQ(key_code_of_joystick_button(0), 183);
    EXPECT_EQ(key_code_of_joystick_button(19), 202);
    EXPECT_EQ(key_code_of_joystick_button(20), 0);
    EXPECT_EQ(key_code_of_joystick_button(-1), 0);
}

}  // namespace
}  // namespace tarn::platform
