#include "platform/joystick.hpp"

#include <SDL.h>

namespace tarn::platform {

int joystick_count() {
    return SDL_NumJoysticks();
}

std::optional<Joystick> Joystick::open(int index) {
    SDL_Joystick* handle = SDL_JoystickOpen(index);
    if (handle == nullptr)
        return std::nullopt;
    SDL_JoystickEventState(SDL_ENABLE);
    return Joystick(handle);
}

std::string Joystick::name() const {
    const char* name = SDL_JoystickName(SDL_JoystickIndex(handle_.get()));
    return name != nullptr ? name : "";
}

int Joystick::axis_count() const {
    return SDL_JoystickNumAxes(handle_.get());
}

int Joystick::ball_count() const {
    return SDL_JoystickNumBalls(handle_.get());
}

int Joystick::hat_count() const {
    return SDL_JoystickNumHats(handle_.get());
}

void Joystick::Closer::operator()(_SDL_Joystick* joystick) const {
    SDL_JoystickClose(joystick);
}

}  // namespace tarn::platform
