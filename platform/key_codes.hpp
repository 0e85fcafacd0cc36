#pragma once

// The engine's key codes: keyboard keys, mouse buttons and wheel, joystick buttons and pad
// directions and touches share one table of kKeyCount entries (core/platform_state.hpp).
// Scripts see them as the KEY_*, MOUSE_*, JOY_* and TOUCH_* constants.
namespace tarn::key {

inline constexpr int kNone = 0;  // unmapped keys and buttons
inline constexpr int kBackspace = 8;
inline constexpr int kTab = 9;
inline constexpr int kEnter = 13;
inline constexpr int kEsc = 27;
inline constexpr int kSpace = 32;
inline constexpr int kMinus = 45;
inline constexpr int kDigit0 = 48;  // KEY_0 .. KEY_9
inline constexpr int kEquals = 61;
inline constexpr int kLeftBracket = 91;
inline constexpr int kRightBracket = 93;
inline constexpr int kA = 97;  // KEY_A .. KEY_Z, the lower-case letters
inline constexpr int kZ = 122;
inline constexpr int kNumpad0 = 128;  // KEY_NUMPAD_0 .. KEY_NUMPAD_9
inline constexpr int kNumpadPeriod = 138;
inline constexpr int kNumpadDivide = 139;
inline constexpr int kNumpadMultiply = 140;
inline constexpr int kNumpadMinus = 141;
inline constexpr int kNumpadPlus = 142;
inline constexpr int kNumpadEnter = 143;
inline constexpr int kNumpadEquals = 144;
inline constexpr int kUp = 145;
inline constexpr int kDown = 146;
inline constexpr int kLeft = 147;
inline constexpr int kRight = 148;
inline constexpr int kInsert = 149;
inline constexpr int kDelete = 150;
inline constexpr int kHome = 151;
inline constexpr int kEnd = 152;
inline constexpr int kPageUp = 153;
inline constexpr int kPageDown = 154;
inline constexpr int kF1 = 155;  // KEY_F1 .. KEY_F15
inline constexpr int kFunctionKeyCount = 15;
inline constexpr int kRightShift = 170;
inline constexpr int kLeftShift = 171;
inline constexpr int kRightCtrl = 172;
inline constexpr int kLeftCtrl = 173;
inline constexpr int kRightAlt = 174;
inline constexpr int kLeftAlt = 175;
inline constexpr int kLeftCmd = 176;
inline constexpr int kRightCmd = 177;
inline constexpr int kMouseLeft = 178;
inline constexpr int kMouseRight = 179;
inline constexpr int kMouseMiddle = 180;
inline constexpr int kMouseWheelUp = 181;
inline constexpr int kMouseWheelDown = 182;
inline constexpr int kJoy0 = 183;  // JOY_0 .. JOY_19
inline constexpr int kJoyButtonCount = 20;
inline constexpr int kJoyPadUp = 203;
inline constexpr int kJoyPadDown = 204;
inline constexpr int kJoyPadLeft = 205;
inline constexpr int kJoyPadRight = 206;
inline constexpr int kTouch0 = 207;  // TOUCH_0 .. TOUCH_3; TOUCH_0 follows the left button
inline constexpr int kTouchCount = 4;

}  // namespace tarn::key
