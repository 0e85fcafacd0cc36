// Sounds loading from their defs: kinds, categories, files through the data directory, and
// every message of a def that cannot be used.
#include "audio/sound.hpp"

#include <gtest/gtest.h>

#include "resources/resource_loading.hpp"
#include "unit/audio/sound_fixture.hpp"

namespace tarn {
namespace {

using SoundTest = test::SoundFixture;

TEST_F(SoundTest, DefsGiveKindFileAndCategoryAndBadOnesAreLogged) {
    struct Case {
        const char* def;
        Sound::Kind kind;  // kSilent: the load fails
        int category;
        const char* file;
        const char* calls;
        const char* log;
    };
    const char* const kLoaded = "load_sample(52 bytes, 8)";
    const Case cases[] = {
        {"{ file = \"fx.wav\", category = 7 }", Sound::kSample, 7, "fx.wav", kLoaded, ""},
        {"{ file = \"FX.WAV\", streaming = false }", Sound::kSample, 0, "FX.WAV", kLoaded, ""},
        {"{ file = \"fx.wav\", category = 8 }", Sound::kSample, 0, "fx.wav", kLoaded,
         "Invalid category 8 for sound 's'."},
        {"{ file = \"fx.wav\", category = -1 }", Sound::kSample, 0, "fx.wav", kLoaded,
         "Invalid category -1 for sound 's'."},
        {"{ file = \"none.ogg\", streaming = true, category = 2 }", Sound::kStream, 2, "none.ogg",
         "", ""},
        {"{ streaming = 1 }", Sound::kStream, 0, "s", "", ""},
        {"{ file = \"\", streaming = true }", Sound::kStream, 0, "s", "", ""},
        {"{ file = \"none.wav\", category = 3 }", Sound::kSilent, 0, "none.wav", "",
         "Can't open file 'data/none.wav' for reading.; Can't read file 'data/none.wav'.; "
         "Unable to load sound 's'.; Error: Sound 's' failed to load."},
        {"5", Sound::kSilent, 0, "", "",
         "No def for sound 's'.; Unable to load sound 's'.; Error: Sound 's' failed to load."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.def);
        run(std::string("g_sound_defs.s <- ") + c.def + ";");
        mark();
        ObjectRef<Sound> sound(get_or_create<Sound>(vm_.vm(), "s"));
        EXPECT_EQ(sound->ensure_loaded(), c.kind != Sound::kSilent);
        EXPECT_EQ(sound->kind(), c.kind);
        EXPECT_EQ(sound->category(), c.category);
        EXPECT_STREQ(sound->file().data(), c.file);
        EXPECT_EQ(calls(), c.calls);
        EXPECT_EQ(log(), c.log);
    }
}

}  // namespace
}  // namespace tarn
