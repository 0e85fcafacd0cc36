#pragma once

#include <span>

#include "script/binding.hpp"

namespace tarn {

// System functions of sound categories and music.
std::span<const NativeFunction> system_audio_functions();

}  // namespace tarn
