#pragma once

// How the window system's keys and buttons become engine key codes (platform/key_codes.hpp).
namespace tarn::platform {

// Engine key code of an SDL key symbol; keys without one give key::kNone.
int key_code_of_sdl_key(int sdl_key);
// Engine key code of an SDL mouse button (1 left, 2 middle, 3 right, 4/5 wheel), else kNone.
int key_code_of_mouse_button(int button);
// Engine key code of a joystick button: JOY_0 + button for the first twenty, else kNone.
int key_code_of_joystick_button(int button);

}  // namespace tarn::platform
