// Sound, SoundChannel and the System audio functions as scripts see them, with their messages.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "unit/audio/sound_fixture.hpp"

namespace tarn {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

class SoundScriptTest : public test::SoundFixture {
protected:
    void SetUp() override {
        SoundFixture::SetUp();
        run("g_sound_defs.fx <- { file = \"fx.wav\", category = 3 };");
    }
};

TEST_F(SoundScriptTest, WrongArgumentsRaiseTheirErrors) {
    const struct {
        const char* code;
        const char* error;
    } cases[] = {
        {"SoundChannel().set_sound(5)", "Expecting Sound"},
        {"SoundChannel().set_sound(null)", "Expecting Sound"},
        {"SoundChannel().set_sound(Texture())", "Expecting Sound"},
        {"SoundChannel().set_looping(\"yes\")", "Expecting integer."},
        {"SoundChannel().set_category([])", "Expecting integer."},
        {"SoundChannel.play.call(Sound())", "Expecting SoundChannel"},
        {"SoundChannel.set_volume.call(Sound(), 1)", "Expecting SoundChannel"},
        {"SoundChannel.stop_on_release.call(SoundChannel.instance())", "Expecting SoundChannel"},
        {"Sound.find(\"fx\")", "<no error>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vm_.error_of(c.code), c.error) << c.code;
    EXPECT_THAT(log(), IsEmpty());
}

TEST_F(SoundScriptTest, APlayedChannelRefusesNewSettingsWhetherItPlaysOrFailed) {
    const char* const kRefusals[][2] = {
        {"c.set_sound(Sound.create(\"fx\"))",
         "SoundChannel: Can't set sound to sound channel once played."},
        {"c.set_looping(1)", "SoundChannel: Can't set sound channel looping once played."},
        {"c.set_category(2)", "SoundChannel: Can't set sound category once played."},
        {"c.stop_on_release()", "SoundChannel: Can't set sound channel behavior once played."},
        {"c.play()", "SoundChannel: Can't play sound channel twice."},
    };
    for (const char* sound : {"Sound.create(\"fx\")", "Sound.create(\"no def\")"}) {
        run(std::string("::c <- SoundChannel(); c.set_sound(") + sound + "); c.play();");
        for (const auto& [code, refusal] : kRefusals) {
            mark();
            run(std::string(code) + ";");
            EXPECT_THAT(log(), ElementsAre(refusal)) << sound << ": " << code;
            EXPECT_THAT(calls(), IsEmpty()) << sound << ": " << code;
        }
    }
}

TEST_F(SoundScriptTest, VolumeIsClampedAndSentAtOnceWhilePlaying) {
    run("::c <- SoundChannel(); c.set_sound(Sound.create(\"fx\"));");
    const struct {
        const char* code;
        float stored;
        std::vector<std::string> calls;
    } cases[] = {
        {"c.set_volume(2)", 1.0f, {}},
        {"c.set_volume(-1)", 0.0f, {}},
        {"c.set_volume(0.5); c.play()",
         0.5f,
         {"load_sample(52 bytes, 8)", "sample_channel(1)", "set_volume(2, 0.25)", "play(2)"}},
        {"c.set_volume(3)", 1.0f, {"set_volume(2, 0.5)"}},
        {"c.set_volume(0)", 0.0f, {"set_volume(2, 0)"}},
    };
    for (const auto& c : cases) {
        mark();
        run(std::string(c.code) + ";");
        EXPECT_FLOAT_EQ(channel("c")->volume(), c.stored) << c.code;
        EXPECT_THAT(calls(), ElementsAreArray(c.calls)) << c.code;
    }
}

TEST_F(SoundScriptTest, SystemFunctionsReadAndSetCategoriesAndMusic) {
    const struct {
        const char* code;
        const char* result;
    } cases[] = {
        {"System.get_sound_category_volume(3)", "0.5"},
        {"System.get_sound_category_volume(8)", "1"},
        {"System.get_sound_category_volume(-1)", "1"},
        {"System.set_sound_category_volume(8, 0.1); System.get_sound_category_volume(8)", "1"},
        {"System.set_sound_category_volume(2, 0); System.is_music_muted()", "false"},
        {"System.set_music_sound_category(2); System.is_music_muted()", "true"},
        {"System.is_music_playing()", "false"},
        {"System.set_music_sound_category(3); ::c <- SoundChannel();"
         "c.set_sound(Sound.create(\"fx\")); c.play(); System.is_music_playing()",
         "true"},
        {"System.stop_music(); System.is_music_playing()", "false"},
        {"System.set_music_sound_category(-1); System.stop_music(); System.is_music_muted()",
         "false"},
    };
    for (const auto& c : cases) {
        const std::string code(c.code);
        const std::size_t last = code.rfind(';');
        const std::string setup = last == std::string::npos ? "" : code.substr(0, last + 1);
        const std::string value = code.substr(last == std::string::npos ? 0 : last + 1);
        run(setup);
        EXPECT_EQ(vm_.eval_string("return (" + value + ").tostring()"), c.result) << c.code;
    }
    EXPECT_STREQ(cvars_->get_string("sound_volume_2").data(), "0");
    EXPECT_THAT(log(), IsEmpty());
}

}  // namespace
}  // namespace tarn
