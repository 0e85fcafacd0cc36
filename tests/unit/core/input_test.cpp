// Key state bits, mouse and touch positions, orientation and the joystick, fed with plain
// values and event records (no window system running).
#include "core/input.hpp"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/cvar_list.hpp"
#include "core/joystick.hpp"

namespace tarn {
namespace {

using platform::Event;
using platform::EventKind;
using Calls = std::vector<std::pair<int, bool>>;  // (code, down) in order

class RecordingListener : public KeyListener {
public:
    void key_changed(int code, bool down) override { calls.emplace_back(code, down); }
    Calls calls;
};

class InputTest : public ::testing::Test {
protected:
    InputTest() {
        platform.width = 640;
        platform.height = 480;
    }

    void handle(const Event& event) { handle_event(platform, keys, event); }

    Platform platform;
    RecordingListener keys;
};

Event key_event(int code, bool down) {
    return {.kind = EventKind::kKey, .code = code, .down = down};
}

Event motion_event(int x, int y, int dx, int dy) {
    return {.kind = EventKind::kMouseMotion, .x = x, .y = y, .dx = dx, .dy = dy};
}

Event hat_event(int joystick, int hat, int value) {
    return {.kind = EventKind::kJoystickHat, .joystick = joystick, .index = hat, .value = value};
}

Event axis_event(int joystick, int axis, int value) {
    return {.kind = EventKind::kJoystickAxis, .joystick = joystick, .index = axis, .value = value};
}

Event joy_button_event(int joystick, int code, bool down) {
    return {.kind = EventKind::kJoystickButton, .code = code, .down = down, .joystick = joystick};
}

TEST_F(InputTest, PressAndReleaseSetTheStateBitsAndCallBack) {
    set_key(platform, keys, 97, true);
    EXPECT_EQ(platform.keys[97], kKeyPressed | kKeyDown);
    EXPECT_TRUE(is_key_down(platform, 97));
    EXPECT_TRUE(was_key_pressed(platform, 97));
    EXPECT_FALSE(was_key_released(platform, 97));

    platform.clear_frame_input();
    EXPECT_EQ(platform.keys[97], kKeyDown) << "a held key keeps only the down bit";
    EXPECT_TRUE(was_key_down(platform, 97));
    EXPECT_FALSE(was_key_pressed(platform, 97));

    set_key(platform, keys, 97, false);
    EXPECT_EQ(platform.keys[97], kKeyReleased);
    EXPECT_FALSE(is_key_down(platform, 97));
    EXPECT_TRUE(was_key_down(platform, 97)) << "released this frame still counts";
    platform.clear_frame_input();
    EXPECT_FALSE(was_key_down(platform, 97));
    EXPECT_EQ(keys.calls, (Calls{{97, true}, {97, false}}));
}

TEST_F(InputTest, PressAndReleaseInOneFrameLeaveBothEdges) {
    handle(key_event(32, true));
    handle(key_event(32, false));
    EXPECT_EQ(platform.keys[32], kKeyPressed | kKeyReleased);
    EXPECT_TRUE(was_key_pressed(platform, 32));
    EXPECT_TRUE(was_key_released(platform, 32));
    EXPECT_FALSE(is_key_down(platform, 32));
}

TEST_F(InputTest, QueriesOutsideTheTableAnswerFalse) {
    platform.keys.fill(kKeyPressed | kKeyReleased | kKeyDown);
    for (int code : {-1, 211}) {
        EXPECT_FALSE(is_key_down(platform, code)) << code;
        EXPECT_FALSE(was_key_down(platform, code)) << code;
        EXPECT_FALSE(was_key_pressed(platform, code)) << code;
        EXPECT_FALSE(was_key_released(platform, code)) << code;
    }
    EXPECT_TRUE(is_key_down(platform, 210));
}

TEST_F(InputTest, OrientationMapsPositionsWithTheWindowSize) {
    const std::pair<int, Point> cases[] = {
        {0, {10, 20}}, {1, {630, 460}}, {2, {460, 10}}, {3, {20, 630}}, {4, {0, 0}}};
    for (const auto& [orientation, expected] : cases) {
        platform.orientation = orientation;
        const Point p = orient_position(platform, 10, 20);
        EXPECT_EQ(p.x, expected.x) << "orientation " << orientation;
        EXPECT_EQ(p.y, expected.y) << "orientation " << orientation;
    }
}

TEST_F(InputTest, OrientationTurnsMotionWithoutOffsets) {
    const std::pair<int, Point> cases[] = {
        {0, {3, 4}}, {1, {-3, -4}}, {2, {-4, 3}}, {3, {4, -3}}, {-1, {0, 0}}};
    for (const auto& [orientation, expected] : cases) {
        platform.orientation = orientation;
        const Point d = orient_motion(platform, 3, 4);
        EXPECT_EQ(d.x, expected.x) << "orientation " << orientation;
        EXPECT_EQ(d.y, expected.y) << "orientation " << orientation;
        const Point still = orient_motion(platform, 0, 0);
        EXPECT_EQ(still.x, 0);
        EXPECT_EQ(still.y, 0);
    }
}

TEST_F(InputTest, MouseMotionMovesPositionTouchAndFrameDelta) {
    platform.orientation = 2;
    handle(motion_event(100, 50, 5, -2));
    handle(motion_event(104, 51, 4, 1));
    EXPECT_EQ(platform.mouse_x, 429);  // 480 - 51
    EXPECT_EQ(platform.mouse_y, 104);
    EXPECT_FLOAT_EQ(platform.mouse_fx, 429.0f);
    EXPECT_FLOAT_EQ(platform.mouse_fy, 104.0f);
    EXPECT_FLOAT_EQ(platform.mouse_dx, 1.0f);  // -(-2) + -(1)
    EXPECT_FLOAT_EQ(platform.mouse_dy, 9.0f);
    const PointF touch = touch_position(platform, 0);
    EXPECT_FLOAT_EQ(touch.x, 429.0f);
    EXPECT_FLOAT_EQ(touch.y, 104.0f);

    platform.clear_frame_input();
    EXPECT_FLOAT_EQ(platform.mouse_dx, 0.0f);
    EXPECT_FLOAT_EQ(platform.mouse_dy, 0.0f);
    EXPECT_EQ(platform.mouse_x, 429) << "the position outlives the frame";
    EXPECT_TRUE(keys.calls.empty());
}

TEST_F(InputTest, OnlyTouchZeroFollowsTheMouseAndOtherIndicesReadZero) {
    handle(motion_event(7, 8, 0, 0));
    platform.touches[3] = {5.0f, 6.0f};
    EXPECT_FLOAT_EQ(touch_position(platform, 0).y, 8.0f);
    EXPECT_FLOAT_EQ(touch_position(platform, 1).x, 0.0f);
    EXPECT_FLOAT_EQ(touch_position(platform, 3).y, 6.0f);
    for (int index : {4, -1, 1000}) {
        EXPECT_FLOAT_EQ(touch_position(platform, index).x, 0.0f) << index;
        EXPECT_FLOAT_EQ(touch_position(platform, index).y, 0.0f) << index;
    }
}

TEST_F(InputTest, AxisValuesScaleToTheUnitRange) {
    EXPECT_FLOAT_EQ(normalize_axis(-32768), -1.0f);
    EXPECT_FLOAT_EQ(normalize_axis(32767), 1.0f);
    EXPECT_FLOAT_EQ(normalize_axis(-16384), -0.5f);
    EXPECT_FLOAT_EQ(normalize_axis(0), 0.0f);
}

TEST_F(InputTest, OnlyTheConfiguredAxesOfTheOpenJoystickCount) {
    platform.joy_index = 1;
    platform.joy_x_axis = 2;
    platform.joy_y_axis = 3;
    handle(axis_event(1, 2, 32767));
    EXPECT_FLOAT_EQ(platform.axis_x, 0.0f) << "no joystick open";

    platform.joystick_open = true;
    handle(axis_event(1, 2, 32767));
    handle(axis_event(1, 3, -32768));
    handle(axis_event(1, 0, 100));
    handle(axis_event(0, 2, -100));
    EXPECT_FLOAT_EQ(platform.axis_x, 1.0f);
    EXPECT_FLOAT_EQ(platform.axis_y, -1.0f);
}

TEST_F(InputTest, OtherHatsJoysticksAndClosedJoysticksAreIgnored) {
    handle(hat_event(0, 0, platform::kHatUp));
    handle(joy_button_event(0, 184, true));
    platform.joystick_open = true;
    platform.joy_index = 2;
    handle(hat_event(0, 0, platform::kHatUp));
    handle(hat_event(2, 1, platform::kHatUp));
    handle(joy_button_event(1, 184, true));
    EXPECT_TRUE(keys.calls.empty());
    EXPECT_FALSE(platform.hat_directions[0]);
}

TEST_F(InputTest, JoystickDirectionHonoursTheThreshold) {
    platform.axis_x = 0.5f;
    EXPECT_FLOAT_EQ(joystick_direction(platform, 0.0f).x, 0.0f) << "no joystick open";
    platform.joystick_open = true;

    platform.axis_x = 0.2f;
    platform.axis_y = 0.2f;
    EXPECT_FLOAT_EQ(joystick_direction(platform, 0.3f).x, 0.0f);
    EXPECT_FLOAT_EQ(joystick_direction(platform, 0.3f).y, 0.0f);

    platform.axis_x = 0.3f;
    platform.axis_y = 0.3f;
    EXPECT_FLOAT_EQ(joystick_direction(platform, 0.3f).x, 0.3f);
    EXPECT_FLOAT_EQ(joystick_direction(platform, 0.3f).y, 0.3f);

    platform.axis_x = 0.0005f;
    platform.axis_y = -0.0008f;
    EXPECT_FLOAT_EQ(joystick_direction(platform, 0.0f).y, 0.0f) << "dead centre";
    platform.axis_x = 0.0f;
    platform.axis_y = -0.25f;
    EXPECT_FLOAT_EQ(joystick_direction(platform, 0.0f).y, -0.25f);
}

TEST(JoystickSettings, IndexOutsideTheDevicesBecomesZero) {
    CVarList cvars;
    cvars.register_integer("joy", 1);
    cvars.register_integer("joy_pad", 2);
    cvars.register_integer("joy_x_axis", 3);
    cvars.register_integer("joy_y_axis", 4);
    Platform platform;
    apply_joystick_settings(platform, cvars, 2);
    EXPECT_EQ(platform.joy_index, 1);
    EXPECT_EQ(platform.joy_pad, 2);
    EXPECT_EQ(platform.joy_x_axis, 3);
    EXPECT_EQ(platform.joy_y_axis, 4);
    for (int wanted : {2, 7, -1}) {
        cvars.set_integer("joy", wanted);
        apply_joystick_settings(platform, cvars, 2);
        EXPECT_EQ(platform.joy_index, 0) << wanted;
    }
}

}  // namespace
}  // namespace tarn
