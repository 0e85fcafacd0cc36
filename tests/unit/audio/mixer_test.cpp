#include "audio/mixer.hpp"

#include <gtest/gtest.h>

#include <malloc.h>

#include <chrono>
#include <numbers>
#include <thread>
#include <vector>

#include "audio/stream_worker.hpp"
#include "unit/audio/audio_test_files.hpp"
#include "unit/audio/signal_checks.hpp"

namespace tarn {
namespace {

// Renders `frames` frames as a device would, a buffer at a time.
std::vector<std::int16_t> render(Mixer& mixer, std::size_t frames, int buffer_frames = 512) {
    std::vector<std::int16_t> out(2 * frames);
    for (std::size_t done = 0; done < frames; done += buffer_frames) {
        const int count = static_cast<int>(std::min<std::size_t>(buffer_frames, frames - done));
        mixer.render(out.data() + 2 * done, count);
    }
    return out;
}

PcmBuffer constant(int rate, std::int16_t value, std::size_t frames) {
    return {{rate, 1}, std::vector<std::int16_t>(frames, value)};
}

struct Resampling {
    int source_rate;
    int channels;
    int output_rate;
};

// A quarter second of a 1 kHz cosine lasts a quarter second at any output rate, and keeps its
// 500 zero crossings.
TEST(MixerTest, ResamplesAtThePitchAndLength) {
    const Resampling cases[] = {{22050, 1, 44100},
                                {44100, 2, 22050},
                                {48000, 1, 44100},
                                {8000, 2, 8000},
                                {11025, 2, 48000}};
    for (const Resampling& c : cases) {
        const PcmBuffer tone{{c.source_rate, c.channels},
                             test::sine(c.source_rate, 1000.0, c.source_rate / 4, c.channels, 0.5,
                                        std::numbers::pi / 2)};
        Mixer mixer;
        MixerVoice voice(tone, c.output_rate);
        mixer.add(voice);
        const std::vector<std::int16_t> out = render(mixer, c.output_rate / 2);
        const test::Sounding sound = test::sounding(out);
        const auto name = std::to_string(c.source_rate) + " to " + std::to_string(c.output_rate);
        EXPECT_EQ(sound.first, 0u) << name;
        EXPECT_NEAR(double(sound.end), c.output_rate / 4.0, 2.0) << name;
        EXPECT_NEAR(test::zero_crossings(out), 500, 2) << name;
        EXPECT_TRUE(voice.finished()) << name;
        EXPECT_TRUE(mixer.take_finished()) << name;
    }
}

struct VolumeCase {
    const char* name;
    float volume;
    float slide_to;
    int slide_frames;
    std::int16_t at_0, at_500, at_999, at_1000;
};

// A constant 16000 played at volumes and through slides.
TEST(MixerTest, VolumesAndSlides) {
    const VolumeCase cases[] = {
        {"volume 0 is silent", 0.0f, 0.0f, 0, 0, 0, 0, 0},
        {"half volume", 0.5f, 0.5f, 0, 8000, 8000, 8000, 8000},
        {"slide to silence", 1.0f, 0.0f, 1000, 15984, 7984, 0, 0},
        {"slide up from silence", 0.0f, 1.0f, 1000, 16, 8016, 16000, 16000},
        {"volumes above 1 clamp", 3.0f, 3.0f, 0, 16000, 16000, 16000, 16000},
    };
    const PcmBuffer level = constant(44100, 16000, 4000);
    for (const VolumeCase& c : cases) {
        Mixer mixer;
        MixerVoice voice(level, 44100);
        voice.set_volume(c.volume);
        voice.slide_volume(c.slide_to, c.slide_frames);
        EXPECT_EQ(voice.volume_sliding(), c.slide_frames > 0) << c.name;
        mixer.add(voice);
        const std::vector<std::int16_t> out = render(mixer, 1001);
        EXPECT_NEAR(out[0], c.at_0, 1) << c.name;
        EXPECT_NEAR(out[2 * 500], c.at_500, 1) << c.name;
        EXPECT_NEAR(out[2 * 999], c.at_999, 1) << c.name;
        EXPECT_NEAR(out[2 * 1000], c.at_1000, 1) << c.name;
        EXPECT_EQ(out[2 * 500 + 1], out[2 * 500]) << c.name << ": mono plays on both sides";
        EXPECT_FALSE(voice.volume_sliding()) << c.name;
    }
}

TEST(MixerTest, LoudVoicesSaturateInsteadOfWrapping) {
    const PcmBuffer loud = constant(22050, 30000, 100);
    const PcmBuffer loud_negative = constant(22050, -30000, 100);
    Mixer mixer;
    MixerVoice a(loud, 22050), b(loud, 22050), c(loud_negative, 22050);
    mixer.add(a);
    mixer.add(b);
    EXPECT_EQ(render(mixer, 10)[10], 32767);
    mixer.remove(a);
    mixer.remove(b);
    MixerVoice d(loud_negative, 22050);
    mixer.add(c);
    mixer.add(d);
    EXPECT_EQ(render(mixer, 10)[10], -32768);
}

TEST(MixerTest, ALoopingSamplePlaysUntilLoopingStops) {
    const PcmBuffer ramp = {{8000, 1}, test::sine(8000, 80.0, 100, 1, 0.5, 0.1)};
    Mixer mixer;
    MixerVoice voice(ramp, 8000);
    voice.set_looping(true);
    mixer.add(voice);
    const std::vector<std::int16_t> looped = render(mixer, 1000);
    EXPECT_EQ(test::sounding(looped).frames(), 1000u);
    EXPECT_EQ(looped[2 * 950], looped[2 * 50]) << "each pass is the same";
    EXPECT_FALSE(voice.finished());

    voice.set_looping(false);
    const std::vector<std::int16_t> last = render(mixer, 200);
    EXPECT_EQ(test::sounding(last).end, 100u) << "the pass under way ends";
    EXPECT_TRUE(voice.finished());
}

// Bytes allocated and not freed. Unlike resident memory, it does not count what the allocator
// keeps of freed blocks.
std::size_t heap_in_use() {
    const struct mallinfo2 heap = mallinfo2();
    return heap.uordblks + heap.hblkhd;
}

// A minute of 44.1 kHz stereo (10 MB decoded) plays whole through the worker, which decodes it
// a slice at a time: the process never holds anything like the decoded size.
TEST(MixerTest, AStreamPlaysWholeWithoutBeingHeldDecoded) {
    constexpr int kRate = 44100;
    constexpr int kSeconds = 60;
    const std::string ogg = test::encode_vorbis(kRate, 2, kSeconds * kRate, 441.0);
    const std::size_t before = heap_in_use();
    StreamWorker worker;
    auto feed = std::make_shared<StreamFeed>(
        open_decoder(std::make_unique<MemorySource>(test::bytes_of(ogg))).decoder);
    worker.add(feed);
    Mixer mixer;
    MixerVoice voice(*feed, kRate);
    mixer.add(voice);

    std::size_t most = before;
    int crossings = 0;
    std::int16_t last = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!voice.finished() && std::chrono::steady_clock::now() < deadline) {
        const std::vector<std::int16_t> out = render(mixer, 4096, 1024);
        // The join between buffers counts too: prefix the last sample.
        std::vector<std::int16_t> joined = {last, last};
        joined.insert(joined.end(), out.begin(), out.end());
        crossings += test::zero_crossings(joined);
        if (test::peak(out) > 0)
            last = out[out.size() - 2];
        most = std::max(most, heap_in_use());
        std::this_thread::yield();
    }
    feed->cancel();
    EXPECT_TRUE(voice.finished());
    EXPECT_NEAR(crossings, 2 * 441 * kSeconds, 20);
    const std::size_t decoded = std::size_t{kSeconds} * kRate * 2 * sizeof(std::int16_t);
    EXPECT_LT(most - before, decoded / 4);
}

}  // namespace
}  // namespace tarn
