#pragma once

#include <memory>
#include <optional>
#include <string>

struct _SDL_Joystick;  // the window system's joystick handle

namespace tarn::platform {

// Joysticks attached; needs the window system started.
int joystick_count();

// An open joystick, whose events arrive through WindowEvents; closed when destroyed.
class Joystick {
public:
    // Device index (0 .. joystick_count() - 1) opened with its events enabled, or nothing when
    // it cannot be opened.
    static std::optional<Joystick> open(int index);

    std::string name() const;
    int axis_count() const;
    int ball_count() const;
    int hat_count() const;

private:
    struct Closer {
        void operator()(_SDL_Joystick* joystick) const;
    };

    explicit Joystick(_SDL_Joystick* handle) : handle_(handle) {}

    std::unique_ptr<_SDL_Joystick, Closer> handle_;
};

}  // namespace tarn::platform
