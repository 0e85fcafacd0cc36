#pragma once

#include "platform/key_codes.hpp"

namespace tarn::platform {

enum class EventKind {
    kKey,
    kMouseMotion,
    kMouseButton,
    kJoystickAxis,
    kJoystickHat,
    kJoystickButton,
    kQuit,  // the window was asked to close, or the process to quit
};

// Directions of a joystick hat, as bits of a kJoystickHat value.
enum HatBits : int { kHatUp = 1, kHatRight = 2, kHatDown = 4, kHatLeft = 8 };

// One input event, keys and buttons already turned into engine key codes. Fields that do not
// belong to the kind stay 0.
struct Event {
    EventKind kind = EventKind::kQuit;
    int code = key::kNone;  // kKey, kMouseButton, kJoystickButton
    bool down = false;      // the same three: pressed rather than released
    int x = 0, y = 0;       // kMouseMotion: the new position in window pixels
    int dx = 0, dy = 0;     // kMouseMotion: the motion that led there
    int joystick = 0;       // joystick events: the device number
    int index = 0;          // kJoystickAxis, kJoystickHat: the axis or hat number
    int value = 0;          // kJoystickAxis: -32768..32767; kJoystickHat: HatBits

    friend bool operator==(const Event&, const Event&) = default;
};

// Where the frame loop takes its input from.
class EventSource {
public:
    virtual ~EventSource() = default;
    // Takes the next waiting event; false when there is none.
    virtual bool poll(Event& event) = 0;
};

// The window system's event queue. Events the engine has no use for are taken and skipped. A quit
// signal (see QuitSignals) is reported as a window close.
class WindowEvents final : public EventSource {
public:
    bool poll(Event& event) override;
};

}  // namespace tarn::platform
