// The System input functions over a prepared input state.
#include <gtest/gtest.h>

#include "core/cvar_list.hpp"
#include "core/cvar_list.hpp"
#include "core/platform_state.hpp"
#include "app/singletons.hpp"
#include "support/script_vm.hpp"

namespace tarn {
namespace {

// The System functions reach the engine's singletons; they are made once for this process and
// the input state starts afresh for each test.
Platform& fresh_platform() {
    static const bool created = (create_singletons(), true);
    (void)created;
    platform_state() = Platform();
    return platform_state();
}

class SystemInputScriptTest : public ::testing::Test {
protected:
    Platform& platform = fresh_platform();
    test::ScriptVm vm;
};

TEST_F(SystemInputScriptTest, KeyQueriesReadTheStateBitsAndTruncateFloatCodes) {
    platform.keys[2] = kKeyPressed | kKeyDown;
    platform.keys[3] = kKeyReleased;
    EXPECT_EQ(vm.eval_string("return System.was_key_pressed(2.9).tostring()"), "true");
    EXPECT_EQ(vm.eval_string("return System.is_key_down(2.1).tostring()"), "true");
    EXPECT_EQ(vm.eval_string("return System.was_key_pressed(3.9).tostring()"), "false");
    EXPECT_EQ(vm.eval_string("return System.was_key_released(3.5).tostring()"), "true");
    EXPECT_EQ(vm.eval_string("return System.is_key_down(3).tostring()"), "false");
    EXPECT_EQ(vm.eval_string("return System.was_key_down(3).tostring()"), "true");
    EXPECT_EQ(vm.eval_string("return System.was_key_down(4).tostring()"), "false");
    EXPECT_EQ(vm.error_of("System.is_key_down(\"2\")"), "Expecting integer.");
    EXPECT_NE(vm.error_of("System.is_key_down()"), "<no error>");
}

TEST_F(SystemInputScriptTest, MouseAndTouchPositionsAreFloatPairs) {
    platform.mouse_fx = 12.5f;
    platform.mouse_dy = 0.25f;
    platform.touches[0] = {7.0f, 9.0f};
    EXPECT_EQ(vm.eval_string("local p = System.get_mouse_position(); return p[0] + \",\" + p[1]"),
              "12.5,0");
    EXPECT_EQ(vm.eval_string("local d = System.get_mouse_delta(); return d[0] + \",\" + d[1]"),
              "0,0.25");
    EXPECT_EQ(
        vm.eval_string("local t = System.get_touch_position(0.8); return t[0] + \",\" + t[1]"),
        "7,9");
}

TEST_F(SystemInputScriptTest, JoystickDirectionUsesTheThresholdSetting) {
    CVarList& cvars = cvar_list();
    cvars.set_float("joy_threshold", 0.3f);
    platform.joystick_open = true;
    platform.axis_x = 0.2f;
    platform.axis_y = 0.2f;
    const char* direction = "local d = System.get_joystick_direction(); return d[0] + \",\" + d[1]";
    EXPECT_EQ(vm.eval_string(direction), "0,0");
    cvars.set_float("joy_threshold", 0.1f);
    EXPECT_EQ(vm.eval_string(direction), "0.2,0.2");
    platform.joystick_open = false;
    EXPECT_EQ(vm.eval_string(direction), "0,0");
}

}  // namespace
}  // namespace tarn
