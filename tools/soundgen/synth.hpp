#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A tiny synthesiser for the demo's sounds: notes of simple waveforms with a pitch glide, a
// short attack and a decay, mixed into 16-bit mono PCM and written as RIFF WAVE files.
namespace tarn::soundgen {

enum class Wave { kSquare, kTriangle, kSine, kNoise };

struct Note {
    double start = 0;   // seconds
    double length = 0;  // seconds
    double from_hz = 440;
    double to_hz = 440;   // the pitch glides linearly from from_hz to to_hz
    double volume = 0.5;  // peak, of full scale
    Wave wave = Wave::kSquare;
};

// Mixes the notes into `seconds` of audio at `rate`; sums beyond full scale are clipped. Every
// note rises in a few milliseconds and then decays linearly to silence at its end, so a loop of
// whole notes has no clicks.
std::vector<std::int16_t> render(const std::vector<Note>& notes, double seconds, int rate);

// The bytes of a 16-bit mono WAV file holding the samples.
std::string wav_file(const std::vector<std::int16_t>& samples, int rate);

}  // namespace tarn::soundgen
