#include "resources/sprite_animation.hpp"
#include "unit/resources/sprite_fixture.hpp"

namespace tarn::test {
namespace {

class SpriteAnimationTest : public SpriteTest {
protected:
    void SetUp() override {
        SpriteTest::SetUp();
        ASSERT_TRUE(
            vm_.run("foreach (n in [\"a\", \"b\", \"c\", \"d\"])"
                    "  ::g_sprite_defs[n] <- { texture = \"sheet\" };"));
        four_ = load_sprite("four", "{ frames = [\"a\", \"b\", \"c\", \"d\"], duration = 1 }");
        ASSERT_NE(four_, nullptr);
    }

    Sprite* four_ = nullptr;
};

TEST_F(SpriteAnimationTest, StepWalksFramesForwardAndEndsOnTheLast) {
    SpriteAnimation a;
    a.start(*four_, 0);
    EXPECT_EQ(a.frame, 0);
    EXPECT_FLOAT_EQ(a.time_left, 0.25f);
    EXPECT_FALSE(a.step(*four_, 0.3f));
    EXPECT_EQ(a.frame, 1);
    EXPECT_FLOAT_EQ(a.time_left, 0.2f);
    EXPECT_FALSE(a.step(*four_, 0.5f));
    EXPECT_EQ(a.frame, 3);
    EXPECT_TRUE(a.step(*four_, 0.3f));
    EXPECT_EQ(a.frame, 3);
    EXPECT_FALSE(a.has(SpriteAnimation::kPlaying));
    EXPECT_FALSE(a.step(*four_, 1.0f)) << "the end is reported once";
}

TEST_F(SpriteAnimationTest, AdvancePastTheTotalStopsOnTheLastOrFirstFrame) {
    SpriteAnimation forward;
    forward.start(*four_, 0);
    EXPECT_TRUE(forward.advance(*four_, 5.0f));
    EXPECT_EQ(forward.frame, 3);
    EXPECT_FALSE(forward.advance(*four_, 5.0f));

    SpriteAnimation reverse;
    reverse.flags = SpriteAnimation::kReverse;
    reverse.start(*four_, 0);
    EXPECT_EQ(reverse.frame, 3);
    EXPECT_FALSE(reverse.advance(*four_, 0.3f));
    EXPECT_EQ(reverse.frame, 2);
    EXPECT_TRUE(reverse.advance(*four_, 5.0f));
    EXPECT_EQ(reverse.frame, 0);
}

TEST_F(SpriteAnimationTest, LoopingWrapsAndAdvanceReducesLongSteps) {
    SpriteAnimation a;
    a.flags = SpriteAnimation::kLooping | SpriteAnimation::kLoopingSetByOwner;
    a.start(*four_, 0);
    EXPECT_FALSE(a.advance(*four_, 10.8f));  // 0.8 into a cycle
    EXPECT_EQ(a.frame, 3);
    EXPECT_FALSE(a.step(*four_, 0.25f));
    EXPECT_EQ(a.frame, 0);
    EXPECT_TRUE(a.has(SpriteAnimation::kPlaying));

    SpriteAnimation back;
    back.flags =
        SpriteAnimation::kLooping | SpriteAnimation::kLoopingSetByOwner | SpriteAnimation::kReverse;
    back.start(*four_, 0);
    EXPECT_FALSE(back.step(*four_, 1.1f));
    EXPECT_EQ(back.frame, 3);
}

TEST_F(SpriteAnimationTest, StartOffsetSkipsTimeAndAPlayThatEndsKeepsItsFlags) {
    SpriteAnimation a;
    a.start(*four_, 0.6f);
    EXPECT_EQ(a.frame, 2);
    EXPECT_FLOAT_EQ(a.time_left, 0.15f);
    SpriteAnimation past;
    past.start(*four_, 3.0f);
    EXPECT_EQ(past.frame, 3);
    EXPECT_TRUE(past.has(SpriteAnimation::kPlaying));
}

TEST_F(SpriteAnimationTest, StaticSpritesPlayTheirDuration) {
    Sprite* once = load_sprite("once", "{ texture = \"sheet\", duration = 0.5 }");
    Sprite* timed = load_sprite("timed", "{ texture = \"sheet\", loop = true }");
    ASSERT_TRUE(once && timed);
    SpriteAnimation a;
    a.start(*once, 0);
    EXPECT_FALSE(a.step(*once, 0.4f));
    EXPECT_TRUE(a.step(*once, 0.1f));

    SpriteAnimation t;
    t.start(*timed, 0);
    EXPECT_TRUE(t.has(SpriteAnimation::kTimedOnce));
    EXPECT_TRUE(t.has(SpriteAnimation::kLooping));
    for (int i = 0; i < 10; ++i)
        EXPECT_FALSE(t.advance(*timed, 1.0f));
    EXPECT_TRUE(t.has(SpriteAnimation::kPlaying));
}

TEST_F(SpriteAnimationTest, RandomExtrasStayWithinTheirRangeAndZeroFramesCannotHang) {
    Sprite* random = load_sprite("r", "{ frames = [[\"a\", 0.1, 0.3]] }");
    Sprite* empty = load_sprite("e", "{ frames = [[\"a\", 0], [\"b\", 0]] }");
    ASSERT_TRUE(random && empty);
    for (int i = 0; i < 50; ++i) {
        const float t = sprite_frame_time(*random, 0);
        EXPECT_GE(t, 0.1f);
        EXPECT_LT(t, 0.3f);
    }
    SpriteAnimation a;
    a.flags = SpriteAnimation::kLooping | SpriteAnimation::kLoopingSetByOwner;
    a.start(*empty, 0);
    a.flags &= ~SpriteAnimation::kTimedOnce;  // as an owner toggling flags could leave it
    EXPECT_TRUE(a.step(*empty, 0.1f));
}

}  // namespace
}  // namespace tarn::test
