// Sounds loading from their defs: kinds, categories, files through the data directory, and
// every message of a def that cannot be used.
#include "audio/sound.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "resources/resource_loading.hpp"
#include "unit/audio/sound_fixture.hpp"

namespace tarn {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

class SoundTest : public test::SoundFixture {
protected:
    // Loads the sound "s" defined by def.
    ObjectRef<Sound> load(const std::string& def) {
        run("g_sound_defs.s <- " + def + ";");
        mark();
        ObjectRef<Sound> sound(get_or_create<Sound>(vm_.vm(), "s"));
        sound->ensure_loaded();
        return sound;
    }
};

TEST_F(SoundTest, DefsGiveKindFileAndCategoryAndBadOnesAreLogged) {
    struct Case {
        const char* def;
        Sound::Kind kind;
        int category;
        const char* file;
        std::vector<std::string> calls;
        std::vector<std::string> log;  // "Error: Sound 's' failed to load." follows a failure
    };
    const std::vector<std::string> loaded = {"load_sample(52 bytes, 8)"};
    const Case cases[] = {
        {"{ file = \"fx.wav\", category = 7 }", Sound::kSample, 7, "fx.wav", loaded, {}},
        {"{ file = \"FX.WAV\", streaming = false }", Sound::kSample, 0, "FX.WAV", loaded, {}},
        {"{ file = \"fx.wav\", category = 8 }",
         Sound::kSample,
         0,
         "fx.wav",
         loaded,
         {"Invalid category 8 for sound 's'."}},
        {"{ file = \"fx.wav\", category = -1 }",
         Sound::kSample,
         0,
         "fx.wav",
         loaded,
         {"Invalid category -1 for sound 's'."}},
        {"{ file = \"none.ogg\", streaming = true, category = 2 }",
         Sound::kStream,
         2,
         "none.ogg",
         {},
         {}},
        {"{ streaming = 1 }", Sound::kStream, 0, "s", {}, {}},
        {"{ file = \"\", streaming = true }", Sound::kStream, 0, "s", {}, {}},
        {"{ file = \"none.wav\", category = 3 }",
         Sound::kSilent,
         0,
         "none.wav",
         {},
         {"Can't open file 'data/none.wav' for reading.", "Can't read file 'data/none.wav'.",
          "Unable to load sound 's'.", "Error: Sound 's' failed to load."}},
        {"5",
         Sound::kSilent,
         0,
         "",
         {},
         {"No def for sound 's'.", "Unable to load sound 's'.",
          "Error: Sound 's' failed to load."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.def);
        ObjectRef<Sound> sound = load(c.def);
        EXPECT_EQ(sound->load_state(), c.log.empty() || c.kind != Sound::kSilent
                                           ? EngineObject::kLoaded
                                           : EngineObject::kFailed);
        EXPECT_EQ(sound->kind(), c.kind);
        EXPECT_EQ(sound->category(), c.category);
        EXPECT_STREQ(sound->file().data(), c.file);
        EXPECT_THAT(calls(), ElementsAreArray(c.calls));
        EXPECT_THAT(log(), ElementsAreArray(c.log));
    }
}

TEST_F(SoundTest, ASampleIsFreedWithItsSound) {
    ObjectRef<Sound> sound = load("{ file = \"fx.wav\" }");
    ASSERT_TRUE(sound->sample());
    sound.reset();
    EXPECT_THAT(calls(), ElementsAre("load_sample(52 bytes, 8)", "free_sample(1)"));
}

TEST_F(SoundTest, WithTheDeviceClosedSoundsAreSilentAndChannelsStayNew) {
    restart("sound_device = 0");
    ObjectRef<Sound> sound = load("{ file = \"missing.wav\" }");
    EXPECT_EQ(sound->load_state(), EngineObject::kLoaded);
    EXPECT_EQ(sound->kind(), Sound::kSilent);

    run("::c <- SoundChannel(); c.set_sound(Sound.create(\"s\")); c.play(); c.play();"
        "c.set_looping(1);");
    EXPECT_EQ(channel("c")->state(), SoundChannel::kNew);
    EXPECT_THAT(calls(), IsEmpty());
    EXPECT_THAT(log(), IsEmpty()) << "an unplayed channel takes settings and plays again";
}

}  // namespace
}  // namespace tarn
