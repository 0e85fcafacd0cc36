#include "audio/sound_system.hpp"

#include <gtest/gtest.h>

#include "core/cvar_list.hpp"

namespace tarn {
namespace {

class SoundSystemTest : public ::testing::Test {
protected:
    void SetUp() override { sound.init(cvars); }

    CVarList cvars;
    SoundSystem sound;
};

TEST_F(SoundSystemTest, SettingAVolumeSetsItsSavedVariable) {
    sound.set_category_volume(cvars, 2, 0.0f);
    EXPECT_EQ(sound.category_volume(2), 0.0f);
    const CVar* volume = cvars.find("sound_volume_2");
    ASSERT_NE(volume, nullptr);
    EXPECT_STREQ(volume->value().data(), "0");
    EXPECT_TRUE(volume->has(CVar::kSave));
    EXPECT_EQ(sound.category_volume(3), 1.0f) << "other categories keep their volume";
}

TEST_F(SoundSystemTest, UnknownCategoriesAreIgnored) {
    const std::size_t count = cvars.all().size();
    sound.set_category_volume(cvars, 8, 0.5f);
    sound.set_category_volume(cvars, -1, 0.5f);
    EXPECT_EQ(cvars.all().size(), count) << "no variable appears for a bad index";
    for (int i = 0; i < SoundSystem::kCategoryCount; ++i)
        EXPECT_EQ(sound.category_volume(i), 1.0f) << "category " << i;
}

TEST_F(SoundSystemTest, MusicIsMutedOnlyInASilentMusicCategory) {
    sound.set_category_volume(cvars, 1, 0.005f);
    EXPECT_FALSE(sound.is_music_muted()) << "no music category";
    sound.set_music_category(1);
    EXPECT_TRUE(sound.is_music_muted());
    sound.set_music_category(0);
    EXPECT_FALSE(sound.is_music_muted());
    sound.set_music_category(12);
    EXPECT_FALSE(sound.is_music_muted()) << "an unknown category plays at full volume";
    EXPECT_FALSE(sound.is_music_playing());
}

}  // namespace
}  // namespace tarn
