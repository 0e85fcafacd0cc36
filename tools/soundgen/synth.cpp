#include "tools/soundgen/synth.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tarn::soundgen {

namespace {

constexpr double kEdgeSeconds = 0.004;

// One sample of the waveform at `phase` cycles; `noise` is a running generator state.
double wave_at(Wave wave, double phase, std::uint32_t& noise) {
    const double cycle = phase - std::floor(phase);
    switch (wave) {
        case Wave::kSquare:
            return cycle < 0.5 ? 1.0 : -1.0;
        case Wave::kTriangle:
            return 4.0 * std::abs(cycle - 0.5) - 1.0;
        case Wave::kSine:
            return std::sin(2 * std::numbers::pi * cycle);
        case Wave::kNoise:
            noise = noise * 1664525u + 1013904223u;
            return static_cast<double>(noise >> 8) / (1 << 23) - 1.0;
    }
    return 0;
}

// Attack, then a linear decay to silence at the note's end.
double envelope(double t, double length) {
    const double attack = std::min(1.0, t / kEdgeSeconds);
    return attack * std::clamp((length - t) / (length - kEdgeSeconds), 0.0, 1.0);
}

void add_note(const Note& note, int rate, std::vector<double>& mix) {
    const auto first = static_cast<std::size_t>(std::lround(note.start * rate));
    const auto count = static_cast<std::size_t>(std::lround(note.length * rate));
    double phase = 0;
    std::uint32_t noise = 22222;
    for (std::size_t i = 0; i < count && first + i < mix.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double hz = note.from_hz + (note.to_hz - note.from_hz) * t / note.length;
        mix[first + i] += note.volume * envelope(t, note.length) * wave_at(note.wave, phase, noise);
        phase += hz / rate;
    }
}

void append_le(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>(value >> (8 * i) & 0xFF);
}

}  // namespace

std::vector<std::int16_t> render(const std::vector<Note>& notes, double seconds, int rate) {
    std::vector<double> mix(static_cast<std::size_t>(std::lround(seconds * rate)), 0.0);
    for (const Note& note : notes)
        add_note(note, rate, mix);
    std::vector<std::int16_t> samples(mix.size());
    std::ranges::transform(mix, samples.begin(), [](double v) {
        return static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767));
    });
    return samples;
}

std::string wav_file(const std::vector<std::int16_t>& samples, int rate) {
    const auto data_bytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string out = "RIFF";
    append_le(out, 36 + data_bytes, 4);
    out += "WAVEfmt ";
    append_le(out, 16, 4);
    append_le(out, 1, 2);  // PCM
    append_le(out, 1, 2);  // mono
    append_le(out, static_cast<std::uint32_t>(rate), 4);
    append_le(out, static_cast<std::uint32_t>(rate * 2), 4);
    append_le(out, 2, 2);  // bytes per frame
    append_le(out, 16, 2);
    out += "data";
    append_le(out, data_bytes, 4);
    for (const std::int16_t sample : samples)
        append_le(out, static_cast<std::uint16_t>(sample), 2);
    return out;
}

}  // namespace tarn::soundgen
