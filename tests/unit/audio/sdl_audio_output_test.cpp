#include "audio/sdl_audio_output.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <numbers>
#include <thread>

#include "unit/audio/audio_test_files.hpp"
#include "unit/audio/signal_checks.hpp"
#include "unit/platform/platform_test_support.hpp"

namespace tarn {
namespace {

using namespace std::chrono_literals;
using platform::test::ScopedEnv;

// The real output on the window system's disk driver, which writes what it plays to a file
// about ten times faster than real time.
class SdlAudioOutputTest : public ::testing::Test {
protected:
    test::TempDir dir_;
    ScopedEnv driver_{"SDL_AUDIODRIVER", "disk"};
    ScopedEnv file_{"SDL_DISKAUDIOFILE", dir_ / "played.raw"};
    ScopedEnv delay_{"SDL_DISKAUDIODELAY", "2"};
    SdlAudioOutput output_;

    ChannelHandle playing(SampleHandle sample) {
        const ChannelHandle channel = output_.sample_channel(sample).handle;
        EXPECT_EQ(output_.play(channel), AudioError::kOk);
        return channel;
    }

    // Waits (up to five seconds) until the channel has stopped.
    bool ends(ChannelHandle channel) {
        for (auto waited = 0ms; waited < 5s; waited += 1ms) {
            if (!output_.is_active(channel))
                return true;
            std::this_thread::sleep_for(1ms);
        }
        return false;
    }

    // What the device played, once it is stopped.
    std::vector<std::int16_t> played() {
        output_.stop_device();
        const std::string bytes = test::read_file_text(dir_ / "played.raw");
        std::vector<std::int16_t> samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }
};

TEST_F(SdlAudioOutputTest, ASampleToneKeepsItsLengthAndPitchAtTheDeviceRate) {
    ASSERT_EQ(output_.start_device(-1, 44100), AudioError::kOk);
    const std::string tone =
        test::wav16(1, 22050, test::sine(22050, 1000.0, 22050 / 4, 1, 0.5, std::numbers::pi / 2));
    const SampleHandle sample = output_.load_sample(test::bytes_of(tone), 8).handle;
    const ChannelHandle channel = playing(sample);
    EXPECT_TRUE(ends(channel));

    const std::vector<std::int16_t> out = played();
    EXPECT_NEAR(double(test::sounding(out).frames()), 44100 / 4.0, 2.0);
    EXPECT_NEAR(test::zero_crossings(out), 500, 2);
}

TEST_F(SdlAudioOutputTest, DevicesAndHandles) {
    const std::string click_file = test::wav16(1, 8000, {1000, -1000});
    const std::span<const std::uint8_t> click = test::bytes_of(click_file);
    EXPECT_EQ(output_.load_sample(click, 1).error, AudioError::kNotStarted);
    EXPECT_EQ(output_.open_stream(WidePath("x.ogg")).error, AudioError::kNotStarted);
    EXPECT_EQ(output_.start_device(2, 44100), AudioError::kDevice);
    EXPECT_EQ(output_.device_name(0), "No sound");
    EXPECT_FALSE(output_.device_name(1)) << "no driver before the device starts";

    ASSERT_EQ(output_.start_device(1, 22050), AudioError::kOk);
    EXPECT_EQ(output_.start_device(1, 22050), AudioError::kAlready);
    EXPECT_EQ(output_.device_name(1), "disk");
    EXPECT_FALSE(output_.device_name(2));
    EXPECT_GT(output_.output_info().buffer_length_ms, 0u);
    EXPECT_EQ(output_.load_sample(test::bytes_of("not a sound"), 1).error, AudioError::kFileFormat);
    EXPECT_EQ(output_.play(ChannelHandle{12345}), AudioError::kHandle);

    const SampleHandle sample = output_.load_sample(click, 1).handle;
    const ChannelHandle channel = output_.sample_channel(sample).handle;
    EXPECT_FALSE(output_.is_active(channel)) << "not played yet";
    output_.set_looping(channel, true);
    EXPECT_TRUE(output_.is_looping(channel));
    EXPECT_EQ(output_.play(channel), AudioError::kOk);
    EXPECT_TRUE(output_.is_active(channel));
    output_.slide_volume(channel, 0.0f, 10000);
    EXPECT_TRUE(output_.is_volume_sliding(channel));

    output_.stop_device();
    EXPECT_EQ(output_.start_device(-1, 22050), AudioError::kOk);
    EXPECT_FALSE(output_.is_active(channel)) << "handles die with the device";
    EXPECT_EQ(output_.play(channel), AudioError::kHandle);
    EXPECT_EQ(output_.sample_channel(sample).error, AudioError::kHandle);
}

TEST_F(SdlAudioOutputTest, MaxPlaybacksAndMinimumGap) {
    ASSERT_EQ(output_.start_device(-1, 22050), AudioError::kOk);
    const std::string long_tone = test::wav16(1, 22050, test::sine(22050, 500.0, 22050 * 30));
    const SampleHandle sample = output_.load_sample(test::bytes_of(long_tone), 2).handle;
    ASSERT_EQ(output_.set_min_gap(sample, 100), AudioError::kOk);

    const ChannelHandle first = playing(sample);
    EXPECT_EQ(output_.sample_channel(sample).error, AudioError::kTimeout);
    std::this_thread::sleep_for(120ms);
    const ChannelHandle second = output_.sample_channel(sample).handle;
    EXPECT_TRUE(second);
    EXPECT_EQ(output_.sample_channel(sample).error, AudioError::kNoChannel)
        << "two channels, played or not";

    output_.stop_channel(first);
    EXPECT_FALSE(output_.is_active(first));
    EXPECT_TRUE(output_.sample_channel(sample).ok()) << "a stopped channel frees its place";

    output_.free_sample(sample);
    EXPECT_EQ(output_.play(second), AudioError::kHandle) << "freeing the sample ends its channels";
}

TEST_F(SdlAudioOutputTest, StreamsPlayFromTheirFileAndFreeThemselves) {
    ASSERT_EQ(output_.start_device(-1, 22050), AudioError::kOk);
    test::write_file(dir_ / "Music/Short.ogg", test::encode_vorbis(22050, 2, 22050 / 5, 500.0));
    test::write_file(dir_ / "notes.txt", "not a sound");
    EXPECT_EQ(output_.open_stream(WidePath((dir_ / "missing.ogg").c_str())).error,
              AudioError::kFileOpen);
    EXPECT_EQ(output_.open_stream(WidePath((dir_ / "notes.txt").c_str())).error,
              AudioError::kFileFormat);

    const WidePath path((dir_ / "music/short.OGG").c_str());  // names match without case
    const ChannelHandle unplayed = output_.open_stream(path).handle;
    output_.free_stream(unplayed);
    EXPECT_EQ(output_.play(unplayed), AudioError::kHandle);

    const ChannelHandle stream = output_.open_stream(path).handle;
    ASSERT_EQ(output_.play(stream), AudioError::kOk);
    EXPECT_TRUE(ends(stream));
    EXPECT_EQ(output_.play(stream), AudioError::kHandle) << "a stream that ended is freed";
    EXPECT_EQ(output_.decoded_bytes(), 0u);

    const std::vector<std::int16_t> out = played();
    EXPECT_NEAR(double(test::sounding(out).frames()), 22050 / 5.0, 4.0);
    EXPECT_NEAR(test::zero_crossings(out), 2 * 100, 2);
}

}  // namespace
}  // namespace tarn
