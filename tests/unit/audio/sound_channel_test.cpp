// Channels as the sound system plays them: the output calls of play, the per-frame step that
// fades out released channels and drops finished ones, music and shutdown.
#include "audio/sound_channel.hpp"

#include <gtest/gtest.h>

#include "unit/audio/sound_fixture.hpp"

namespace tarn {
namespace {

using test::Answers;
using State = SoundChannel::State;

constexpr char kFx[] = "{ file = \"fx.wav\" }";
constexpr char kStream[] = "{ file = \"a.ogg\", streaming = true, category = 3 }";
const std::string kLoad = "load_sample(52 bytes, 8); sample_channel(1)";

class SoundChannelTest : public test::SoundFixture {
protected:
    // Plays ::c on the sound "fx" defined by def, after setup.
    void play_fx(const std::string& def, const std::string& setup) {
        run("g_sound_defs.fx <- " + def + "; ::c <- SoundChannel();" +
            "c.set_sound(Sound.create(\"fx\")); " + setup + " c.play();");
    }
};

TEST_F(SoundChannelTest, PlayMakesTheOutputCallsInOrderAndLogsEachFailure) {
    struct Case {
        std::string def, setup, calls, log;
        State state;
        Answers answers = {};
    };
    const Case cases[] = {
        {kFx, "c.set_looping(1); c.set_category(5); c.set_volume(0.5);",
         kLoad + "; set_looping(2, true); set_volume(2, 0.1); play(2)", "", State::kPlaying},
        {"{ file = \"fx.wav\", category = 3 }", "c.set_looping(0); c.set_category(-4);",
         kLoad + "; set_looping(2, false); set_volume(2, 0.5); play(2)", "", State::kPlaying},
        {"{ file = \"fx.wav\", mingap = 0.0009 }", "", kLoad + "; set_volume(2, 1); play(2)", "",
         State::kPlaying},
        {"{ file = \"fx.wav\", mingap = 2 }",
         "",
         "load_sample(52 bytes, 8); set_min_gap(1, 2000); sample_channel(1); set_volume(2, 1); "
         "play(2)",
         "Error setting mingap of Bass sample (error code 3).",
         State::kPlaying,
         {{"set_min_gap", AudioError::kNoDriver}}},
        {kFx, "", kLoad, "", State::kDone, {{"sample_channel", AudioError::kTimeout}}},
        {kFx,
         "",
         kLoad,
         "SoundChannel: Can't get Bass channel to play sound 'fx', error 3.",
         State::kDone,
         {{"sample_channel", AudioError::kNoDriver}}},
        {kFx,
         "",
         kLoad + "; set_volume(2, 1); play(2); stop_channel(2)",
         "SoundChannel: Can't play Bass channel.",
         State::kDone,
         {{"play", AudioError::kNotStarted}}},
        {kFx,
         "",
         "load_sample(52 bytes, 8)",
         "Error loading Bass sample (error code 3).; Unable to load sound 'fx'.; Error: Sound "
         "'fx' failed to load.",
         State::kDone,
         {{"load_sample", AudioError::kNoDriver}}},
        {kStream, "", "open_stream(data/a.ogg); set_volume(1, 0.5); play(1)", "", State::kPlaying},
        {kStream,
         "",
         "open_stream(data/a.ogg)",
         "SoundChannel: Error creating Bass stream from file 'data/a.ogg' (error code 3).",
         State::kDone,
         {{"open_stream", AudioError::kNoDriver}}},
        {kStream,
         "",
         "open_stream(data/a.ogg); set_volume(1, 0.5); play(1); stop_channel(1); free_stream(1)",
         "SoundChannel: Error playing stream from file 'data/a.ogg' (error code 8).",
         State::kDone,
         {{"play", AudioError::kNotStarted}}},
        {kFx, "c = SoundChannel();", "", "SoundChannel: No sound to play.", State::kDone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.def + " " + c.setup);
        restart();
        answer(c.answers);
        play_fx(c.def, c.setup);
        EXPECT_EQ(calls(), c.calls);
        EXPECT_EQ(log(), c.log);
        ASSERT_NE(channel("c"), nullptr);
        EXPECT_EQ(channel("c")->state(), c.state);
        EXPECT_EQ(channel("c")->is_persistent(), c.state == State::kPlaying);
    }
}

TEST_F(SoundChannelTest, TheFrameStepFadesReleasedChannelsAndDropsFinishedOnes) {
    struct Case {
        const char* setup;
        bool released;                // the script drops the channel after play
        std::vector<Answers> frames;  // the answers of each sound update
        const char* calls;            // a destroyed channel's sound frees its sample
        State state;                  // kNew: destroyed
    };
    const Answers playing = {{"is_active", true}};
    const Answers looping = {{"is_active", true}, {"is_looping", true}};
    const Answers sliding = {{"is_active", true}, {"is_volume_sliding", true}};
    const Case cases[] = {
        {"", false, {playing}, "is_active(2)", State::kPlaying},
        {"", true, {playing}, "is_active(2); is_looping(2)", State::kPlaying},
        {"c.stop_on_release();", false, {playing}, "is_active(2)", State::kPlaying},
        {"c.stop_on_release();",
         true,
         {playing},
         "is_active(2); is_looping(2); slide_volume(2, 0, 500)",
         State::kFadingOut},
        {"c.set_looping(1);",
         true,
         {looping},
         "is_active(2); is_looping(2); slide_volume(2, 0, 500)",
         State::kFadingOut},
        {"c.set_looping(1); System.set_music_sound_category(4);",
         true,
         {looping},
         "is_active(2); is_looping(2); slide_volume(2, 0, 500)",
         State::kFadingOut},
        {"c.set_looping(1); System.set_music_sound_category(0);",
         true,
         {looping},
         "is_active(2); is_looping(2)",
         State::kPlaying},
        {"", true, {{}}, "is_active(2); stop_channel(2); free_sample(1)", State::kNew},
        {"", false, {{}}, "is_active(2); stop_channel(2)", State::kStopped},
        {"c.set_looping(1);",
         true,
         {looping, sliding, playing},
         "is_active(2); is_looping(2); slide_volume(2, 0, 500); is_active(2); "
         "is_volume_sliding(2); is_active(2); is_volume_sliding(2); stop_channel(2); "
         "free_sample(1)",
         State::kNew},
        {"c.stop_on_release();",
         true,
         {playing, {}},
         "is_active(2); is_looping(2); slide_volume(2, 0, 500); is_active(2); stop_channel(2); "
         "free_sample(1)",
         State::kNew},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.setup) + (c.released ? " released" : " held"));
        restart();
        play_fx(kFx, c.setup);
        WeakObjectRef<SoundChannel> played(channel("c"));
        if (c.released)
            run("::c = null;");
        mark();
        for (const Answers& frame : c.frames) {
            answer(frame);
            sound_system().update();
        }
        EXPECT_EQ(calls(), c.calls);
        ASSERT_EQ(static_cast<bool>(played), c.state != State::kNew);
        if (played) {
            EXPECT_EQ(played->state(), c.state);
            EXPECT_EQ(played->is_persistent(), c.state != State::kStopped);
        }
    }
}

TEST_F(SoundChannelTest, NewMusicFadesTheOldAndVolumesReachOnlyPlayingChannels) {
    run("System.set_music_sound_category(1); g_sound_defs.fx <- { file = \"fx.wav\" };"
        "foreach (name in [\"a\", \"b\"])"
        "  g_sound_defs[name] <- { streaming = true, file = name + \".ogg\", category = 1 };"
        "::channels <- [];"
        "foreach (name in [\"fx\", \"a\", \"b\"]) {"
        "  channels.append(SoundChannel()); channels.top().set_sound(Sound.create(name));"
        "  channels.top().play(); }");
    EXPECT_EQ(calls(),
              kLoad +
                  "; set_volume(2, 1); play(2); open_stream(data/a.ogg); set_volume(3, 1); "
                  "play(3); slide_volume(3, 0, 500); open_stream(data/b.ogg); "
                  "set_volume(4, 1); play(4)");
    EXPECT_EQ(channel("channels[1]")->state(), State::kFadingOut);
    EXPECT_EQ(vm_.eval_string("return System.is_music_playing().tostring()"), "true");

    const char* const steps[][2] = {
        {"System.set_sound_category_volume(1, 0.25)", "set_volume(2, 1); set_volume(4, 0.25)"},
        {"System.stop_music()", "slide_volume(4, 0, 500)"},
        {"System.set_music_sound_category(-1); System.stop_music()", ""},
    };
    for (const auto& [code, expected] : steps) {
        mark();
        run(code);
        EXPECT_EQ(calls(), expected) << code;
    }
    EXPECT_EQ(vm_.eval_string("return System.is_music_playing().tostring()"), "false");
}

TEST_F(SoundChannelTest, ShutdownStopsEveryChannelBeforeTheDeviceAndFreesTheReleasedOnes) {
    play_fx(kFx, "::d <- SoundChannel(); d.set_sound(Sound.create(\"fx\")); d.play();");
    WeakObjectRef<SoundChannel> released(channel("d"));
    WeakObjectRef<SoundChannel> held(channel("c"));
    run("::d = null;");
    mark();
    sound_system().shutdown();
    EXPECT_EQ(calls(), "stop_channel(2); stop_channel(3); stop_device()");
    EXPECT_FALSE(released);
    ASSERT_TRUE(held);
    EXPECT_FALSE(held->is_persistent());
}

}  // namespace
}  // namespace tarn
