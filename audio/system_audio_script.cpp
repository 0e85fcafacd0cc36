#include <span>

#include "audio/sound_system.hpp"
#include "audio/system_audio_script.hpp"
#include "script/binding.hpp"

namespace tarn {

namespace {

SQInteger set_sound_category_volume(HSQUIRRELVM vm) {
    int category = 0;
    float volume = 0.0f;
    if (!read_integer(vm, 2, category) || !read_float(vm, 3, volume))
        return SQ_ERROR;
    sound_system().set_category_volume(category, volume);
    return 0;
}

SQInteger get_sound_category_volume(HSQUIRRELVM vm) {
    int category = 0;
    if (!read_integer(vm, 2, category))
        return SQ_ERROR;
    push_value(vm, sound_system().category_volume(category));
    return 1;
}

SQInteger set_music_sound_category(HSQUIRRELVM vm) {
    int category = 0;
    if (!read_integer(vm, 2, category))
        return SQ_ERROR;
    sound_system().set_music_category(category);
    return 0;
}

SQInteger is_music_playing(HSQUIRRELVM vm) {
    push_value(vm, sound_system().is_music_playing());
    return 1;
}

SQInteger stop_music(HSQUIRRELVM) {
    sound_system().stop_music();
    return 0;
}

SQInteger is_music_muted(HSQUIRRELVM vm) {
    push_value(vm, sound_system().is_music_muted());
    return 1;
}

constexpr NativeFunction kAudioFunctions[] = {
    {"set_sound_category_volume", set_sound_category_volume, 3, ".if|i"},
    {"get_sound_category_volume", get_sound_category_volume, 2, ".i"},
    {"set_music_sound_category", set_music_sound_category, 2, ".i"},
    {"is_music_playing", is_music_playing, 1, "."},
    {"stop_music", stop_music, 1, "."},
    {"is_music_muted", is_music_muted, 1, "."},
};

}  // namespace

std::span<const NativeFunction> system_audio_functions() {
    return kAudioFunctions;
}

}  // namespace tarn
