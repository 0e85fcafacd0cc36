// Events pushed through SDL's real queue reach the engine through the window system's event
// source, and a script game object as key_down / key_up.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>

#include "core/cvar_list.hpp"
#include "core/input.hpp"
#include "core/joystick.hpp"
#include "script/game_key_callbacks.hpp"
#include "support/log_capture.hpp"
#include "support/script_vm.hpp"

namespace tarn {
namespace {

constexpr char kGameScript[] = R"(
class Game {
    log = "";
    function key_down(code) { log += "down " + code + ";"; }
    function key_up(code) { log += "up " + code + ";"; }
}
::game <- Game();
return ::game;
)";

class SdlInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr ||
            SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK | SDL_INIT_NOPARACHUTE) != 0) {
            GTEST_SKIP() << "needs an X display (tools/with-display)";
        }
        sdl_started_ = true;
        ASSERT_NE(SDL_SetVideoMode(64, 48, 32, 0), nullptr) << SDL_GetError();
        SDL_Event pending;
        while (SDL_PollEvent(&pending)) {
        }
        platform.width = 64;
        platform.height = 48;
        game = vm.eval(kGameScript);
    }
    void TearDown() override {
        if (sdl_started_)
            SDL_Quit();
    }

    void push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 0) << SDL_GetError(); }
    bool pump() {
        GameKeyCallbacks callbacks(vm.host(), game);
        return pump_events(platform, callbacks, events);
    }
    std::string game_log() { return vm.eval_string("return ::game.log"); }

    test::ScriptVm vm;
    ScriptObject game;
    Platform platform;
    platform::WindowEvents events;

private:
    bool sdl_started_ = false;
};

SDL_Event key_event(SDLKey key, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    return event;
}

SDL_Event button_event(int button, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = static_cast<Uint8>(button);
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    return event;
}

SDL_Event hat_event(int value) {
    SDL_Event event{};
    event.type = SDL_JOYHATMOTION;
    event.jhat.value = static_cast<Uint8>(value);
    return event;
}

TEST_F(SdlInputTest, KeysAreMappedIntoStateAndCallbacks) {
    push(key_event(SDLK_a, true));
    push(key_event(SDLK_a, false));
    push(key_event(SDLK_F1, true));
    push(key_event(SDLK_RIGHT, true));
    push(key_event(SDLK_CAPSLOCK, true));
    EXPECT_TRUE(pump());
    EXPECT_EQ(game_log(), "down 97;up 97;down 155;down 148;down 0;");
    EXPECT_TRUE(is_key_down(platform, 0)) << "unmapped keys share code 0";
    EXPECT_TRUE(was_key_pressed(platform, 97));
    EXPECT_TRUE(was_key_released(platform, 97));
    EXPECT_FALSE(is_key_down(platform, 97));
    EXPECT_TRUE(is_key_down(platform, 155));
}

TEST_F(SdlInputTest, MouseClickAndMotion) {
    platform.orientation = 1;
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 10;
    motion.motion.y = 8;
    motion.motion.xrel = 2;
    motion.motion.yrel = 1;
    push(motion);
    push(button_event(SDL_BUTTON_LEFT, true));
    push(button_event(SDL_BUTTON_LEFT, false));
    push(button_event(SDL_BUTTON_WHEELUP, true));
    EXPECT_TRUE(pump());
    EXPECT_EQ(game_log(), "down 178;down 207;up 178;up 207;down 181;");
    EXPECT_EQ(platform.mouse_x, 54);
    EXPECT_EQ(platform.mouse_y, 40);
    EXPECT_FLOAT_EQ(platform.mouse_dx, -2.0f);
    EXPECT_FLOAT_EQ(platform.mouse_dy, -1.0f);
}

TEST_F(SdlInputTest, JoystickHatButtonsAndAxesOfTheOpenJoystick) {
    platform.joystick_open = true;
    push(hat_event(SDL_HAT_UP));
    push(hat_event(SDL_HAT_RIGHTUP));
    push(hat_event(SDL_HAT_CENTERED));
    push(hat_event(SDL_HAT_UP | SDL_HAT_RIGHT | SDL_HAT_DOWN | SDL_HAT_LEFT));
    SDL_Event button{};
    button.type = SDL_JOYBUTTONDOWN;
    button.jbutton.button = 2;
    push(button);
    SDL_Event axis{};
    axis.type = SDL_JOYAXISMOTION;
    axis.jaxis.axis = 1;
    axis.jaxis.value = -32768;
    push(axis);
    EXPECT_TRUE(pump());
    EXPECT_EQ(game_log(),
              "down 203;down 206;up 203;up 206;down 203;down 204;down 205;down 206;down 185;");
    EXPECT_FLOAT_EQ(platform.axis_y, -1.0f);
    EXPECT_FLOAT_EQ(platform.axis_x, 0.0f);
}

TEST_F(SdlInputTest, QuitStopsThePumpBeforeLaterEvents) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    push(quit);
    push(key_event(SDLK_b, true));
    EXPECT_FALSE(pump());
    EXPECT_TRUE(platform.quit_requested);
    EXPECT_EQ(game_log(), "");
    EXPECT_FALSE(was_key_down(platform, 98));
    SDL_Event left{};
    ASSERT_EQ(SDL_PollEvent(&left), 1) << "the key stays queued";
    EXPECT_EQ(left.type, SDL_KEYDOWN);
}

SDL_Event motion_event(int x, int y, int dx, int dy) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = static_cast<Uint16>(x);
    event.motion.y = static_cast<Uint16>(y);
    event.motion.xrel = static_cast<Sint16>(dx);
    event.motion.yrel = static_cast<Sint16>(dy);
    return event;
}

SDL_Event joystick_event(Uint8 type, int which, int index, int value) {
    SDL_Event event{};
    event.type = type;
    if (type == SDL_JOYAXISMOTION) {
        event.jaxis = {type, static_cast<Uint8>(which), static_cast<Uint8>(index),
                       static_cast<Sint16>(value)};
    } else if (type == SDL_JOYHATMOTION) {
        event.jhat = {type, static_cast<Uint8>(which), static_cast<Uint8>(index),
                      static_cast<Uint8>(value)};
    } else {
        event.jbutton = {type, static_cast<Uint8>(which), static_cast<Uint8>(index), 0};
    }
    return event;
}

TEST_F(SdlInputTest, WindowEventsTranslateEveryFieldAndSkipTheRest) {
    using platform::EventKind;
    SDL_Event user{};
    user.type = SDL_USEREVENT;
    SDL_Event active{};
    active.type = SDL_ACTIVEEVENT;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    const std::pair<SDL_Event, platform::Event> cases[] = {
        {key_event(SDLK_DELETE, true), {.kind = EventKind::kKey, .code = 150, .down = true}},
        {motion_event(10, 8, -2, 3),
         {.kind = EventKind::kMouseMotion, .x = 10, .y = 8, .dx = -2, .dy = 3}},
        {button_event(7, false), {.kind = EventKind::kMouseButton, .code = 0}},
        {joystick_event(SDL_JOYHATMOTION, 1, 2, SDL_HAT_LEFTDOWN),
         {.kind = EventKind::kJoystickHat,
          .joystick = 1,
          .index = 2,
          .value = platform::kHatLeft | platform::kHatDown}},
        {joystick_event(SDL_JOYAXISMOTION, 3, 4, -5),
         {.kind = EventKind::kJoystickAxis, .joystick = 3, .index = 4, .value = -5}},
        {joystick_event(SDL_JOYBUTTONUP, 2, 19, 0),
         {.kind = EventKind::kJoystickButton, .code = 202, .joystick = 2}},
        {quit, {.kind = EventKind::kQuit}},
    };
    for (const auto& [sdl, expected] : cases) {
        push(user);
        push(active);
        push(sdl);
        platform::Event event{.kind = EventKind::kKey, .code = 99, .value = 99};
        ASSERT_TRUE(events.poll(event)) << "SDL event type " << int{sdl.type};
        EXPECT_TRUE(event == expected) << "SDL event type " << int{sdl.type};
    }
    platform::Event none;
    push(user);
    EXPECT_FALSE(events.poll(none)) << "an ignored event alone leaves nothing to take";
}

TEST_F(SdlInputTest, JoystickStartLogsWhatItFoundUnlessDisabled) {
    test::LogCapture log;
    CVarList cvars;
    cvars.register_integer("joy_disabled", 1);
    start_joystick(platform, cvars);
    EXPECT_TRUE(log.lines().empty());

    cvars.set_integer("joy_disabled", 0);
    cvars.register_integer("joy_y_axis", 1);
    start_joystick(platform, cvars);
    const int count = SDL_NumJoysticks();
    ASSERT_FALSE(log.lines().empty());
    EXPECT_EQ(log.lines().front(), "Found " + std::to_string(count) + " joystick(s).");
    if (count == 0) {
        EXPECT_EQ(log.lines().size(), 1u);
        EXPECT_FALSE(platform.joystick_open);
    } else {
        EXPECT_EQ(platform.joystick_open, platform.joystick.has_value());
    }
    close_joystick(platform);
    EXPECT_FALSE(platform.joystick_open);
    EXPECT_FALSE(platform.joystick.has_value());
}

}  // namespace
}  // namespace tarn
