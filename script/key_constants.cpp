#include "script/key_constants.hpp"

#include <string>

#include "platform/key_codes.hpp"
#include "script/binding.hpp"

namespace tarn {

namespace {

struct KeyConstant {
    const char* name;
    int code;
};

// Runs of numbered or lettered constants: prefix + suffix, codes counting up from first_code.
struct KeySeries {
    const char* prefix;
    char first_suffix;  // a letter, or '0' for numbers counting from 0
    int first_number;   // for numbered runs: the number of the first constant
    int count;
    int first_code;
};

constexpr KeyConstant kNamedKeys[] = {
    {"KEY_NONE", key::kNone},
    {"KEY_BACKSPACE", key::kBackspace},
    {"KEY_TAB", key::kTab},
    {"KEY_ENTER", key::kEnter},
    {"KEY_ESC", key::kEsc},
    {"KEY_SPACE", key::kSpace},
    {"KEY_MINUS", key::kMinus},
    {"KEY_EQUALS", key::kEquals},
    {"KEY_LEFT_BRACKET", key::kLeftBracket},
    {"KEY_RIGHT_BRACKET", key::kRightBracket},
    {"KEY_NUMPAD_PERIOD", key::kNumpadPeriod},
    {"KEY_NUMPAD_DIVIDE", key::kNumpadDivide},
    {"KEY_NUMPAD_MULTIPLY", key::kNumpadMultiply},
    {"KEY_NUMPAD_MINUS", key::kNumpadMinus},
    {"KEY_NUMPAD_PLUS", key::kNumpadPlus},
    {"KEY_NUMPAD_ENTER", key::kNumpadEnter},
    {"KEY_NUMPAD_EQUALS", key::kNumpadEquals},
    {"KEY_UP", key::kUp},
    {"KEY_DOWN", key::kDown},
    {"KEY_LEFT", key::kLeft},
    {"KEY_RIGHT", key::kRight},
    {"KEY_INSERT", key::kInsert},
    {"KEY_DELETE", key::kDelete},
    {"KEY_HOME", key::kHome},
    {"KEY_END", key::kEnd},
    {"KEY_PAGE_UP", key::kPageUp},
    {"KEY_PAGE_DOWN", key::kPageDown},
    {"KEY_RIGHT_SHIFT", key::kRightShift},
    {"KEY_LEFT_SHIFT", key::kLeftShift},
    {"KEY_RIGHT_CTRL", key::kRightCtrl},
    {"KEY_LEFT_CTRL", key::kLeftCtrl},
    {"KEY_RIGHT_ALT", key::kRightAlt},
    {"KEY_LEFT_ALT", key::kLeftAlt},
    {"KEY_LEFT_CMD", key::kLeftCmd},
    {"KEY_RIGHT_CMD", key::kRightCmd},
    {"MOUSE_LEFT", key::kMouseLeft},
    {"MOUSE_RIGHT", key::kMouseRight},
    {"MOUSE_MIDDLE", key::kMouseMiddle},
    {"MOUSE_WHEEL_UP", key::kMouseWheelUp},
    {"MOUSE_WHEEL_DOWN", key::kMouseWheelDown},
    {"JOY_PAD_UP", key::kJoyPadUp},
    {"JOY_PAD_DOWN", key::kJoyPadDown},
    {"JOY_PAD_LEFT", key::kJoyPadLeft},
    {"JOY_PAD_RIGHT", key::kJoyPadRight},
};

constexpr KeySeries kKeySeries[] = {
    {"KEY_", '0', 0, 10, key::kDigit0},
    {"KEY_", 'A', 0, 26, key::kA},
    {"KEY_NUMPAD_", '0', 0, 10, key::kNumpad0},
    {"KEY_F", '0', 1, key::kFunctionKeyCount, key::kF1},
    {"JOY_", '0', 0, key::kJoyButtonCount, key::kJoy0},
    {"TOUCH_", '0', 0, key::kTouchCount, key::kTouch0},
};

std::string series_name(const KeySeries& series, int i) {
    std::string name(series.prefix);
    if (series.first_suffix == '0')
        name += std::to_string(series.first_number + i);
    else
        name += static_cast<char>(series.first_suffix + i);
    return name;
}

}  // namespace

void register_key_constants(HSQUIRRELVM vm) {
    const ScriptObject constants = const_table(vm);
    for (const KeyConstant& constant : kNamedKeys)
        bind_integer(constants, constant.name, constant.code);
    for (const KeySeries& series : kKeySeries) {
        for (int i = 0; i < series.count; ++i)
            bind_integer(constants, series_name(series, i).c_str(), series.first_code + i);
    }
}

}  // namespace tarn
