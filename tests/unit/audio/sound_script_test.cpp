// Sound and SoundChannel as scripts see them, with their messages.
#include <gtest/gtest.h>

#include "unit/audio/sound_fixture.hpp"

namespace tarn {
namespace {

class SoundScriptTest : public test::SoundFixture {
protected:
    void SetUp() override {
        SoundFixture::SetUp();
        run("g_sound_defs.fx <- { file = \"fx.wav\", category = 3 };");
    }
};

TEST_F(SoundScriptTest, WrongArgumentsRaiseTheirErrors) {
    const char* const cases[][2] = {
        {"SoundChannel().set_sound(null)", "Expecting Sound"},
        {"SoundChannel().set_sound(Texture())", "Expecting Sound"},
        {"SoundChannel().set_looping(\"yes\")", "Expecting integer."},
        {"SoundChannel().set_category([])", "Expecting integer."},
        {"SoundChannel.play.call(Sound())", "Expecting SoundChannel"},
        {"SoundChannel.set_volume.call(Sound(), 1)", "Expecting SoundChannel"},
        {"SoundChannel.stop_on_release.call(SoundChannel.instance())", "Expecting SoundChannel"},
    };
    for (const auto& [code, error] : cases)
        EXPECT_EQ(vm_.error_of(code), error) << code;
    EXPECT_EQ(log(), "");
}

TEST_F(SoundScriptTest, APlayedChannelRefusesNewSettingsWhetherItPlaysOrFailed) {
    const char* const refusals[][2] = {
        {"c.set_sound(Sound.create(\"fx\"))",
         "SoundChannel: Can't set sound to sound channel once played."},
        {"c.set_looping(1)", "SoundChannel: Can't set sound channel looping once played."},
        {"c.set_category(2)", "SoundChannel: Can't set sound category once played."},
        {"c.stop_on_release()", "SoundChannel: Can't set sound channel behavior once played."},
        {"c.play()", "SoundChannel: Can't play sound channel twice."},
    };
    for (const char* sound : {"fx", "no def"}) {
        run(std::string("::c <- SoundChannel(); c.set_sound(Sound.create(\"") + sound +
            "\")); c.play();");
        for (const auto& [code, refusal] : refusals) {
            mark();
            run(code);
            EXPECT_EQ(log(), refusal) << sound << ": " << code;
            EXPECT_EQ(calls(), "") << sound << ": " << code;
        }
    }
}

TEST_F(SoundScriptTest, VolumeIsClampedAndSentAtOnceWhilePlaying) {
    run("::c <- SoundChannel(); c.set_sound(Sound.create(\"fx\"));");
    const struct {
        const char* code;
        float stored;
        const char* calls;
    } cases[] = {
        {"c.set_volume(2)", 1.0f, ""},
        {"c.set_volume(-1)", 0.0f, ""},
        {"c.set_volume(0.5); c.play()", 0.5f,
         "load_sample(52 bytes, 8); sample_channel(1); set_volume(2, 0.25); play(2)"},
        {"c.set_volume(3)", 1.0f, "set_volume(2, 0.5)"},
    };
    for (const auto& c : cases) {
        mark();
        run(c.code);
        EXPECT_FLOAT_EQ(channel("c")->volume(), c.stored) << c.code;
        EXPECT_EQ(calls(), c.calls) << c.code;
    }
}

}  // namespace
}  // namespace tarn
