#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "audio/null_audio_output.hpp"
#include "audio/recording_audio_output.hpp"

namespace tarn {
namespace {

using ::testing::ElementsAre;

TEST(RecordingAudioOutputTest, AnswersFromItsScriptThenSucceeds) {
    RecordingAudioOutput output;
    output.answer("sample_channel", AudioError::kTimeout);
    output.answer("is_active", true);
    output.answer("is_active", false);
    const std::uint8_t file[5] = {};

    const AudioResult<SampleHandle> sample = output.load_sample(file, 8);
    const AudioResult<ChannelHandle> refused = output.sample_channel(sample.handle);
    const AudioResult<ChannelHandle> channel = output.sample_channel(sample.handle);
    output.set_looping(channel.handle, true);
    output.set_volume(channel.handle, 0.25f);
    EXPECT_EQ(output.play(channel.handle), AudioError::kOk);
    EXPECT_TRUE(output.is_active(channel.handle));
    EXPECT_FALSE(output.is_active(channel.handle));
    EXPECT_FALSE(output.is_active(channel.handle)) << "the script is used up";
    output.slide_volume(channel.handle, 0.0f, 500);
    const AudioResult<ChannelHandle> stream = output.open_stream(WidePath("data/music.ogg"));

    EXPECT_EQ(sample.handle, SampleHandle{1});
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(refused.error, AudioError::kTimeout);
    EXPECT_EQ(channel.handle, ChannelHandle{2}) << "a refusal hands out no handle";
    EXPECT_EQ(stream.handle, ChannelHandle{3});
    EXPECT_THAT(output.calls(),
                ElementsAre("load_sample(5 bytes, 8)", "sample_channel(1)", "sample_channel(1)",
                            "set_looping(2, true)", "set_volume(2, 0.25)", "play(2)",
                            "is_active(2)", "is_active(2)", "is_active(2)",
                            "slide_volume(2, 0, 500)", "open_stream(data/music.ogg)"));
}

TEST(NullAudioOutputTest, TheDeviceStartsButNothingLoadsOrPlays) {
    NullAudioOutput output;
    const std::uint8_t file[4] = {};
    EXPECT_EQ(output.start_device(-1, 22050), AudioError::kOk);
    EXPECT_FALSE(output.device_name(0));

    const AudioResult<SampleHandle> sample = output.load_sample(file, 8);
    const AudioResult<ChannelHandle> channel = output.sample_channel(SampleHandle{1});
    const AudioResult<ChannelHandle> stream = output.open_stream(WidePath("data/music.ogg"));
    for (const AudioError error : {sample.error, channel.error, stream.error})
        EXPECT_EQ(error, AudioError::kNoDriver);
    EXPECT_FALSE(sample.ok() || channel.ok() || stream.ok());
    EXPECT_NE(output.play(ChannelHandle{1}), AudioError::kOk);
    EXPECT_FALSE(output.is_active(ChannelHandle{1}));
}

}  // namespace
}  // namespace tarn
