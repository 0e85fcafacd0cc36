#include "audio/sound_channel_script.hpp"

#include "audio/sound_channel.hpp"
#include "audio/sound_system.hpp"
#include "script/binding.hpp"

namespace tarn {

namespace {

using IntegerSetter = void (SoundChannel::*)(int);

SQInteger set_sound(HSQUIRRELVM vm) {
    SoundChannel* self = nullptr;
    Sound* sound = nullptr;
    if (!read_this(vm, self) || !read_object(vm, 2, sound))
        return SQ_ERROR;
    self->set_sound(sound);
    return 0;
}

template <IntegerSetter setter>
SQInteger set_integer(HSQUIRRELVM vm) {
    SoundChannel* self = nullptr;
    int value = 0;
    if (!read_this(vm, self) || !read_integer(vm, 2, value))
        return SQ_ERROR;
    (self->*setter)(value);
    return 0;
}

SQInteger set_volume(HSQUIRRELVM vm) {
    SoundChannel* self = nullptr;
    float volume = 0.0f;
    if (!read_this(vm, self) || !read_float(vm, 2, volume))
        return SQ_ERROR;
    self->set_volume(volume);
    return 0;
}

SQInteger stop_on_release(HSQUIRRELVM vm) {
    SoundChannel* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    self->stop_on_release();
    return 0;
}

SQInteger play(HSQUIRRELVM vm) {
    SoundChannel* self = nullptr;
    if (!read_this(vm, self))
        return SQ_ERROR;
    self->play(sound_system());
    return 0;
}

constexpr NativeFunction kMethods[] = {
    {"constructor", construct_object<SoundChannel>, 1, "x"},
    {"set_sound", set_sound, 2, "x."},
    {"set_looping", set_integer<&SoundChannel::set_looping>, 2, "x."},
    {"set_category", set_integer<&SoundChannel::set_category>, 2, "x."},
    {"set_volume", set_volume, 2, "xf|i"},
    {"stop_on_release", stop_on_release, 1, "x"},
    {"play", play, 1, "x"},
};

}  // namespace

void register_sound_channel_class(HSQUIRRELVM vm) {
    register_class(vm, SoundChannel::class_descriptor, kMethods);
}

}  // namespace tarn
