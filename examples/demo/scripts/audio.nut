// Playing sounds. A SoundChannel is one playback: made, given a sound, played once. A script
// may drop it at once; the engine keeps it until the sound has ended.

function play_sound(name) {
    local channel = ::SoundChannel();
    channel.set_sound(::Sound.create(name));
    channel.play();
}

// The music loops in its own category, so that its volume is a setting of its own. A looping
// channel of the music category keeps playing after the script lets go of it.
function start_music() {
    ::System.set_music_sound_category(SOUND_MUSIC);
    if (::System.is_music_playing()) return;
    local channel = ::SoundChannel();
    channel.set_sound(::Sound.create("music"));
    channel.set_looping(1);
    channel.play();
}
