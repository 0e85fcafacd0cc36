#include "audio/sound_system.hpp"

#include <cstring>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "audio/null_audio_output.hpp"
#include "audio/recording_audio_output.hpp"
#include "core/cvar_list.hpp"
#include "support/log_capture.hpp"

namespace tarn {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// What a started device logs when the output knows nothing of its devices and buffering.
const std::vector<std::string> kOpenedLog = {
    "Sound device count: 0", "..playback buffer length: 0",     "..playback update period: 0",
    "..playback threads: 0", "Bass audio successfully opened.", "..mixing frequency 22050",
};

class SoundSystemTest : public ::testing::Test {
protected:
    void SetUp() override { sound.init(cvars); }

    CVarList cvars;
    SoundSystem sound{std::make_unique<RecordingAudioOutput>()};
};

TEST_F(SoundSystemTest, SettingAVolumeSetsItsSavedVariable) {
    sound.set_category_volume(2, 0.0f);
    EXPECT_EQ(sound.category_volume(2), 0.0f);
    const CVar* volume = cvars.find("sound_volume_2");
    ASSERT_NE(volume, nullptr);
    EXPECT_STREQ(volume->value().data(), "0");
    EXPECT_TRUE(volume->has(CVar::kSave));
    EXPECT_EQ(sound.category_volume(3), 1.0f) << "other categories keep their volume";
}

TEST_F(SoundSystemTest, UnknownCategoriesAreIgnored) {
    const std::size_t count = cvars.all().size();
    sound.set_category_volume(8, 0.5f);
    sound.set_category_volume(-1, 0.5f);
    EXPECT_EQ(cvars.all().size(), count) << "no variable appears for a bad index";
    for (int i = 0; i < SoundSystem::kCategoryCount; ++i)
        EXPECT_EQ(sound.category_volume(i), 1.0f) << "category " << i;
}

TEST_F(SoundSystemTest, MusicIsMutedOnlyInASilentMusicCategory) {
    sound.set_category_volume(1, 0.005f);
    EXPECT_FALSE(sound.is_music_muted()) << "no music category";
    sound.set_music_category(1);
    EXPECT_TRUE(sound.is_music_muted());
    sound.set_music_category(0);
    EXPECT_FALSE(sound.is_music_muted());
    sound.set_music_category(12);
    EXPECT_FALSE(sound.is_music_muted()) << "an unknown category plays at full volume";
    EXPECT_FALSE(sound.is_music_playing());
}

TEST(SoundSystemVolumeTest, ConfiguredVolumesAreClampedAndNearSilenceIsSilence) {
    const struct {
        const char* config;
        float volume;
    } cases[] = {
        {"sound_volume_4 = 0.4", 0.4f},   {"sound_volume_4 = 1.7", 1.0f},
        {"sound_volume_4 = -0.3", 0.0f},  {"sound_volume_4 = 0.005", 0.0f},
        {"sound_volume_4 = 0.01", 0.01f},
    };
    for (const auto& c : cases) {
        CVarList cvars;
        cvars.apply_config_text(c.config, std::strlen(c.config), false);
        SoundSystem sound{std::make_unique<RecordingAudioOutput>()};
        sound.init(cvars);
        EXPECT_FLOAT_EQ(sound.category_volume(4), c.volume) << c.config;
    }
}

TEST(SoundSystemDeviceTest, TheConfiguredDeviceIsStartedAndStopped) {
    const struct {
        const char* config;
        AudioError start;
        bool open;
        std::vector<std::string> calls;
        std::vector<std::string> log;
    } cases[] = {
        {"",
         AudioError::kOk,
         true,
         {"start_device(-1, 22050)", "device_name(0)", "output_info()", "stop_device()"},
         kOpenedLog},
        {"sound_device = 2",
         AudioError::kOk,
         true,
         {"start_device(2, 22050)", "device_name(0)", "output_info()", "stop_device()"},
         kOpenedLog},
        {"sound_device = 0", AudioError::kOk, false, {}, {}},
        {"sound_device = 1",
         static_cast<AudioError>(23),
         false,
         {"start_device(1, 22050)"},
         {"Unable to initialize Bass audio (error code 23)"}},
    };
    for (const auto& c : cases) {
        test::LogCapture log;
        CVarList cvars;
        cvars.apply_config_text(c.config, std::strlen(c.config), false);
        auto output = std::make_unique<RecordingAudioOutput>();
        RecordingAudioOutput& recorded = *output;
        recorded.answer("start_device", c.start);
        SoundSystem sound{std::move(output)};

        sound.init(cvars);
        EXPECT_EQ(sound.is_open(), c.open) << c.config;
        sound.shutdown();
        EXPECT_FALSE(sound.is_open()) << c.config;
        EXPECT_THAT(recorded.calls(), ElementsAreArray(c.calls)) << c.config;
        EXPECT_THAT(log.lines(), ElementsAreArray(c.log)) << c.config;
    }
}

TEST(SoundSystemDeviceTest, WithTheNullOutputAGameRunsSilentAfterTheDeviceLines) {
    test::LogCapture log;
    CVarList cvars;
    SoundSystem sound{std::make_unique<NullAudioOutput>()};
    sound.init(cvars);
    EXPECT_TRUE(sound.is_open());
    EXPECT_THAT(log.lines(), ElementsAreArray(kOpenedLog));
}

TEST(SoundSystemDeviceTest, AStartedDeviceLogsEveryDeviceAndItsBuffering) {
    test::LogCapture log;
    CVarList cvars;
    auto output = std::make_unique<RecordingAudioOutput>();
    output->device_names = {"No sound", "Speakers"};
    output->info = {
        .buffer_length_ms = 500, .update_period_ms = 100, .update_threads = 1, .min_buffer_ms = 40};
    SoundSystem sound{std::move(output)};
    sound.init(cvars);
    EXPECT_THAT(
        log.lines(),
        ElementsAre("Sound device 0: No sound", "Sound device 1: Speakers", "Sound device count: 2",
                    "..playback buffer length: 500", "..playback update period: 100",
                    "..playback threads: 1", "..playback minimum buffer length: 40",
                    "Bass audio successfully opened.", "..mixing frequency 22050"));
}

}  // namespace
}  // namespace tarn
