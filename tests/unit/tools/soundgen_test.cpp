#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "audio/audio_decoder.hpp"
#include "tools/soundgen/synth.hpp"

// The demo's sound generator: what it mixes, and that the engine's decoder reads its files back.
namespace tarn::soundgen {
namespace {

constexpr int kRate = 8000;

int peak(const std::vector<std::int16_t>& samples, std::size_t from, std::size_t to) {
    int most = 0;
    for (std::size_t i = from; i < to; ++i)
        most = std::max(most, std::abs(static_cast<int>(samples[i])));
    return most;
}

// Sign changes from negative to non-negative: one per cycle.
int rising_crossings(const std::vector<std::int16_t>& samples) {
    int count = 0;
    for (std::size_t i = 1; i < samples.size(); ++i)
        count += samples[i - 1] < 0 && samples[i] >= 0;
    return count;
}

TEST(SoundgenTest, NotesSoundOnlyInTheirTimeAtTheirVolume) {
    const auto samples = render({{0.25, 0.5, 200, 200, 0.5, Wave::kSquare}}, 1.0, kRate);
    ASSERT_EQ(samples.size(), 8000u);
    EXPECT_EQ(peak(samples, 0, 2000), 0);
    EXPECT_EQ(peak(samples, 6000, 8000), 0);
    EXPECT_NEAR(peak(samples, 2000, 6000), 16384, 200);
    EXPECT_LT(std::abs(samples[5999]), 200) << "a note fades out by its end, so loops do not click";
}

TEST(SoundgenTest, PitchAndGlide) {
    const struct {
        double from_hz, to_hz;
        int cycles;  // in one second
    } cases[] = {{100, 100, 100}, {440, 440, 440}, {200, 600, 400}};
    for (const auto& c : cases) {
        const auto samples = render({{0, 1.0, c.from_hz, c.to_hz, 0.5, Wave::kSine}}, 1.0, kRate);
        EXPECT_NEAR(rising_crossings(samples), c.cycles, 2) << c.from_hz << " to " << c.to_hz;
    }
}

TEST(SoundgenTest, LoudMixesClipInsteadOfWrapping) {
    const Note loud{0, 0.5, 100, 100, 0.8, Wave::kSquare};
    const auto samples = render({loud, loud}, 0.5, kRate);
    EXPECT_EQ(*std::ranges::max_element(samples), 32767);
    EXPECT_EQ(*std::ranges::min_element(samples), -32767);
    EXPECT_EQ(samples[30], 32767) << "a sum above full scale does not wrap round";
}

TEST(SoundgenTest, TheEngineDecodesTheFilesItWrites) {
    const auto samples =
        render({{0, 0.1, 300, 900, 0.4, Wave::kTriangle}, {0.05, 0.05, 0, 0, 0.2, Wave::kNoise}},
               0.1, kRate);
    const std::string file = wav_file(samples, kRate);
    const SampleResult decoded =
        decode_sample(std::span(reinterpret_cast<const std::uint8_t*>(file.data()), file.size()));
    ASSERT_EQ(decoded.error, AudioError::kOk);
    EXPECT_EQ(decoded.pcm.format.rate, kRate);
    EXPECT_EQ(decoded.pcm.format.channels, 1);
    EXPECT_EQ(decoded.pcm.samples, samples);
}

}  // namespace
}  // namespace tarn::soundgen
