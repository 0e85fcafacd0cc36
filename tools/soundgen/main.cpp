// Writes the demo game's sound effects and its music loop as WAV files, so that no recording is
// kept in the repository.
//
//   tarn_demo_sounds OUTPUT_DIR
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tools/soundgen/synth.hpp"

namespace {

using tarn::soundgen::Note;
using tarn::soundgen::Wave;

constexpr int kRate = 22050;

struct Effect {
    const char* file;
    double seconds;
    std::vector<Note> notes;
};

// Frequency of the MIDI note number (69 is A4, 440 Hz).
double hz(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// Four bars of A minor, F, C and G at 120 beats a minute: a triangle bass on every beat and a
// quiet square arpeggio in eighths. The loop is a whole number of beats, so it repeats cleanly.
Effect music() {
    constexpr double kBeat = 0.5;
    const int roots[] = {57, 53, 48, 55};  // A3, F3, C3, G3
    const int chord[] = {0, 3, 7, 12};     // minor; the major chords use 4 below
    Effect track{"music.wav", 16 * kBeat, {}};
    for (int bar = 0; bar < 4; ++bar) {
        const int root = roots[bar];
        const bool major = bar != 0;
        for (int beat = 0; beat < 4; ++beat) {
            const double at = (bar * 4 + beat) * kBeat;
            track.notes.push_back({at, kBeat, hz(root - 12), hz(root - 12), 0.3, Wave::kTriangle});
            for (int half = 0; half < 2; ++half) {
                int step = chord[(beat * 2 + half) % 4];
                if (major && step == 3)
                    step = 4;
                const double f = hz(root + 12 + step);
                track.notes.push_back({at + half * kBeat / 2, kBeat / 2, f, f, 0.1, Wave::kSquare});
            }
        }
    }
    return track;
}

std::vector<Effect> effects() {
    return {
        {"blip.wav", 0.08, {{0, 0.08, 880, 990, 0.35, Wave::kSquare}}},
        {"wall.wav", 0.05, {{0, 0.05, 440, 440, 0.3, Wave::kTriangle}}},
        {"hit.wav",
         0.16,
         {{0, 0.16, 1200, 300, 0.3, Wave::kSquare}, {0, 0.06, 0, 0, 0.25, Wave::kNoise}}},
        {"lose.wav", 0.7, {{0, 0.7, 440, 90, 0.4, Wave::kTriangle}}},
        {"click.wav", 0.03, {{0, 0.03, 1500, 1500, 0.3, Wave::kSine}}},
        music(),
    };
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tarn_demo_sounds OUTPUT_DIR\n");
        return 2;
    }
    for (const Effect& effect : effects()) {
        const std::string path = std::string(argv[1]) + "/" + effect.file;
        std::ofstream out(path, std::ios::binary);
        out << tarn::soundgen::wav_file(tarn::soundgen::render(effect.notes, effect.seconds, kRate),
                                        kRate);
        if (!out.flush()) {
            std::fprintf(stderr, "tarn_demo_sounds: cannot write '%s'\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
