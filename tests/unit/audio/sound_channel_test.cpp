// Channels as the sound system plays them: the output calls of play, the per-frame step that
// fades out released channels and drops finished ones, music and shutdown.
#include "audio/sound_channel.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "unit/audio/sound_fixture.hpp"

namespace tarn {
namespace {

using test::Answers;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class SoundChannelTest : public test::SoundFixture {
protected:
    // Plays ::c on the sound "fx" defined by def, after setup.
    void play_fx(const std::string& def, const std::string& setup) {
        run("g_sound_defs.fx <- " + def +
            "; ::c <- SoundChannel(); c.set_sound(Sound.create(\"fx\"));" + setup + " c.play();");
    }
};

TEST_F(SoundChannelTest, PlayMakesTheOutputCallsInOrderAndLogsEachFailure) {
    const char* const kStream = "{ file = \"music/theme.ogg\", streaming = true, category = 3 }";
    struct Case {
        const char* def;
        const char* setup;
        Answers answers;
        std::vector<std::string> calls;
        std::vector<std::string> log;
        SoundChannel::State state;
    };
    const std::vector<std::string> load = {"load_sample(52 bytes, 8)", "sample_channel(1)"};
    auto with_load = [&](std::vector<std::string> tail) {
        tail.insert(tail.begin(), load.begin(), load.end());
        return tail;
    };
    const Case cases[] = {
        {"{ file = \"fx.wav\", category = 3 }",
         "",
         {},
         with_load({"set_volume(2, 0.5)", "play(2)"}),
         {},
         SoundChannel::kPlaying},
        {"{ file = \"fx.wav\" }",
         "c.set_looping(1); c.set_category(5); c.set_volume(0.5);",
         {},
         with_load({"set_looping(2, true)", "set_volume(2, 0.1)", "play(2)"}),
         {},
         SoundChannel::kPlaying},
        {"{ file = \"fx.wav\", category = 5 }",
         "c.set_looping(0); c.set_category(-4);",
         {},
         with_load({"set_looping(2, false)", "set_volume(2, 0.2)", "play(2)"}),
         {},
         SoundChannel::kPlaying},
        {"{ file = \"fx.wav\", mingap = 0.1 }",
         "",
         {},
         {"load_sample(52 bytes, 8)", "set_min_gap(1, 100)", "sample_channel(1)",
          "set_volume(2, 1)", "play(2)"},
         {},
         SoundChannel::kPlaying},
        {"{ file = \"fx.wav\", mingap = 0.0009 }",
         "",
         {},
         with_load({"set_volume(2, 1)", "play(2)"}),
         {},
         SoundChannel::kPlaying},
        {"{ file = \"fx.wav\", mingap = 2 }",
         "",
         {{"set_min_gap", AudioError::kNoDriver}},
         {"load_sample(52 bytes, 8)", "set_min_gap(1, 2000)", "sample_channel(1)",
          "set_volume(2, 1)", "play(2)"},
         {"Error setting mingap of Bass sample (error code 3)."},
         SoundChannel::kPlaying},
        {"{ file = \"fx.wav\" }",
         "",
         {{"sample_channel", AudioError::kTimeout}},
         load,
         {},
         SoundChannel::kDone},
        {"{ file = \"fx.wav\" }",
         "",
         {{"sample_channel", AudioError::kNoDriver}},
         load,
         {"SoundChannel: Can't get Bass channel to play sound 'fx', error 3."},
         SoundChannel::kDone},
        {"{ file = \"fx.wav\" }",
         "",
         {{"play", AudioError::kNotStarted}},
         with_load({"set_volume(2, 1)", "play(2)", "stop_channel(2)"}),
         {"SoundChannel: Can't play Bass channel."},
         SoundChannel::kDone},
        {"{ file = \"fx.wav\" }",
         "",
         {{"load_sample", AudioError::kNoDriver}},
         {"load_sample(52 bytes, 8)"},
         {"Error loading Bass sample (error code 3).", "Unable to load sound 'fx'.",
          "Error: Sound 'fx' failed to load."},
         SoundChannel::kDone},
        {kStream,
         "",
         {},
         {"open_stream(data/music/theme.ogg)", "set_volume(1, 0.5)", "play(1)"},
         {},
         SoundChannel::kPlaying},
        {kStream,
         "",
         {{"open_stream", AudioError::kNoDriver}},
         {"open_stream(data/music/theme.ogg)"},
         {"SoundChannel: Error creating Bass stream from file 'data/music/theme.ogg' (error "
          "code 3)."},
         SoundChannel::kDone},
        {kStream,
         "",
         {{"play", AudioError::kNotStarted}},
         {"open_stream(data/music/theme.ogg)", "set_volume(1, 0.5)", "play(1)", "stop_channel(1)",
          "free_stream(1)"},
         {"SoundChannel: Error playing stream from file 'data/music/theme.ogg' (error code 8)."},
         SoundChannel::kDone},
        {"{ file = \"fx.wav\" }",
         "c = SoundChannel();",
         {},
         {},
         {"SoundChannel: No sound to play."},
         SoundChannel::kDone},
    };
    for (const Case& c : cases) {
        restart(test::kSoundConfig);
        answer(c.answers);
        play_fx(c.def, c.setup);
        SCOPED_TRACE(std::string(c.def) + " " + c.setup);
        EXPECT_THAT(calls(), ElementsAreArray(c.calls));
        EXPECT_THAT(log(), ElementsAreArray(c.log));
        ASSERT_NE(channel("c"), nullptr);
        EXPECT_EQ(channel("c")->state(), c.state);
        EXPECT_EQ(channel("c")->is_persistent(), c.state == SoundChannel::kPlaying);
    }
}

TEST_F(SoundChannelTest, TheFrameStepFadesReleasedChannelsAndDropsFinishedOnes) {
    struct Case {
        const char* what;
        const char* setup;
        bool dropped;                    // the script lets go of the channel after play
        std::vector<Answers> frames;     // answers for each sound update
        std::vector<std::string> calls;  // a destroyed channel's sound frees its sample
        SoundChannel::State state;       // kNew: destroyed
    };
    const Answers playing = {{"is_active", true}};
    const Answers looping = {{"is_active", true}, {"is_looping", true}};
    const Case cases[] = {
        {"held effect plays on", "", false, {playing}, {"is_active(2)"}, SoundChannel::kPlaying},
        {"released effect plays to its end",
         "",
         true,
         {playing},
         {"is_active(2)", "is_looping(2)"},
         SoundChannel::kPlaying},
        {"released effect asked to stop on release fades",
         "c.stop_on_release();",
         true,
         {playing},
         {"is_active(2)", "is_looping(2)", "slide_volume(2, 0, 500)"},
         SoundChannel::kFadingOut},
        {"held effect asked to stop on release plays on",
         "c.stop_on_release();",
         false,
         {playing},
         {"is_active(2)"},
         SoundChannel::kPlaying},
        {"released loop fades",
         "c.set_looping(1);",
         true,
         {looping},
         {"is_active(2)", "is_looping(2)", "slide_volume(2, 0, 500)"},
         SoundChannel::kFadingOut},
        {"released loop of another category than music fades",
         "c.set_looping(1); System.set_music_sound_category(4);",
         true,
         {looping},
         {"is_active(2)", "is_looping(2)", "slide_volume(2, 0, 500)"},
         SoundChannel::kFadingOut},
        {"released music loop plays on",
         "c.set_looping(1); System.set_music_sound_category(0);",
         true,
         {looping},
         {"is_active(2)", "is_looping(2)"},
         SoundChannel::kPlaying},
        {"ended and released: destroyed",
         "",
         true,
         {{}},
         {"is_active(2)", "stop_channel(2)", "free_sample(1)"},
         SoundChannel::kNew},
        {"ended and held: stopped",
         "",
         false,
         {{}},
         {"is_active(2)", "stop_channel(2)"},
         SoundChannel::kStopped},
        {"fade goes on while sliding, then ends",
         "c.set_looping(1);",
         true,
         {looping, {{"is_active", true}, {"is_volume_sliding", true}}, {{"is_active", true}}},
         {"is_active(2)", "is_looping(2)", "slide_volume(2, 0, 500)", "is_active(2)",
          "is_volume_sliding(2)", "is_active(2)", "is_volume_sliding(2)", "stop_channel(2)",
          "free_sample(1)"},
         SoundChannel::kNew},
        {"fade ends with the sound",
         "c.stop_on_release();",
         true,
         {playing, {}},
         {"is_active(2)", "is_looping(2)", "slide_volume(2, 0, 500)", "is_active(2)",
          "stop_channel(2)", "free_sample(1)"},
         SoundChannel::kNew},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        restart(test::kSoundConfig);
        play_fx("{ file = \"fx.wav\" }", c.setup);
        WeakObjectRef<SoundChannel> played(channel("c"));
        if (c.dropped)
            run("::c = null;");
        mark();
        for (const Answers& frame : c.frames) {
            answer(frame);
            sound_system().update();
        }
        EXPECT_THAT(calls(), ElementsAreArray(c.calls));
        if (c.state == SoundChannel::kNew) {
            EXPECT_FALSE(played) << "a finished channel nothing holds is destroyed";
            continue;
        }
        ASSERT_TRUE(played);
        EXPECT_EQ(played->state(), c.state);
        EXPECT_EQ(played->is_persistent(), c.state != SoundChannel::kStopped);
    }
}

TEST_F(SoundChannelTest, NewMusicFadesTheOldAndVolumesReachOnlyPlayingChannels) {
    run("System.set_music_sound_category(1);"
        "g_sound_defs.a <- { streaming = true, file = \"a.ogg\", category = 1 };"
        "g_sound_defs.b <- { streaming = true, file = \"b.ogg\", category = 1 };"
        "g_sound_defs.fx <- { file = \"fx.wav\" };"
        "::e <- SoundChannel(); e.set_sound(Sound.create(\"fx\")); e.play();"
        "::c <- SoundChannel(); c.set_sound(Sound.create(\"a\")); c.play();"
        "::d <- SoundChannel(); d.set_sound(Sound.create(\"b\")); d.play();");
    EXPECT_THAT(calls(), ElementsAre("load_sample(52 bytes, 8)", "sample_channel(1)",
                                     "set_volume(2, 1)", "play(2)", "open_stream(data/a.ogg)",
                                     "set_volume(3, 1)", "play(3)", "slide_volume(3, 0, 500)",
                                     "open_stream(data/b.ogg)", "set_volume(4, 1)", "play(4)"));
    EXPECT_EQ(channel("c")->state(), SoundChannel::kFadingOut);
    EXPECT_EQ(vm_.eval_string("return System.is_music_playing().tostring()"), "true");

    mark();
    run("System.set_sound_category_volume(1, 0.25);");
    EXPECT_THAT(calls(), ElementsAre("set_volume(2, 1)", "set_volume(4, 0.25)"));

    mark();
    run("System.stop_music();");
    EXPECT_THAT(calls(), ElementsAre("slide_volume(4, 0, 500)"));
    EXPECT_EQ(vm_.eval_string("return System.is_music_playing().tostring()"), "false");
}

TEST_F(SoundChannelTest, ShutdownStopsEveryChannelBeforeTheDeviceAndFreesTheReleasedOnes) {
    run("g_sound_defs.fx <- { file = \"fx.wav\" };"
        "::c <- SoundChannel(); c.set_sound(Sound.create(\"fx\")); c.play();"
        "::d <- SoundChannel(); d.set_sound(Sound.create(\"fx\")); d.play();");
    WeakObjectRef<SoundChannel> held(channel("c"));
    WeakObjectRef<SoundChannel> released(channel("d"));
    run("::d = null;");
    mark();
    sound_system().shutdown();
    EXPECT_THAT(calls(), ElementsAre("stop_channel(2)", "stop_channel(3)", "stop_device()"));
    EXPECT_FALSE(released);
    ASSERT_TRUE(held);
    EXPECT_FALSE(held->is_persistent());
}

}  // namespace
}  // namespace tarn
