#include <gmock/gmock.h>

#include "unit/scene/scene_fixture.hpp"

namespace tarn::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using SceneMotion = SceneTest;

TEST_F(SceneMotion, ProfiledMovesCoverTheirWayByTheProfile) {
    struct Case {
        float duration, accel_time, decel_time;
        float t;         // seconds of updates, in steps of 0.25
        float fraction;  // of the way covered by then
    };
    const Case cases[] = {
        {1, 0.25f, 0.25f, 0.25f, 1.0f / 6},
        {1, 0.25f, 0.25f, 0.5f, 0.5f},
        {1, 0.25f, 0.25f, 0.75f, 5.0f / 6},
        {1, 0.25f, 0.25f, 1, 1},
        // Ramps longer than the duration stretch it: the middle is still half way.
        {0.25f, 0.5f, 0.5f, 0.5f, 0.5f},
        {0.25f, 0.5f, 0.5f, 0.75f, 7.0f / 8},  // as much left as covered at 0.25
        // Without ramps, a constant speed.
        {1, 0, 0, 0.25f, 0.25f},
        {1, 0, 0.5f, 0.25f, 1.0f / 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.duration << " " << c.accel_time << " " << c.decel_time << " at " << c.t);
        callbacks_ = RecordingCallbacks();
        ObjectRef<SceneObject> o = make("o", 100, 50);
        o->move_to2({700, -1150}, c.duration, c.accel_time, c.decel_time);
        for (float t = 0; t < c.t; t += 0.25f)
            update(0.25f);
        EXPECT_NEAR(o->x(), 100 + 600 * c.fraction, 1e-3);
        EXPECT_NEAR(o->y(), 50 - 1200 * c.fraction, 1e-3);
        const bool arrived = c.t >= std::max(c.duration, c.accel_time + c.decel_time);
        EXPECT_EQ(callbacks_.calls.size(), arrived ? 1u : 0u);
    }
}

TEST_F(SceneMotion, ConstantMovesArriveOnceAndStay) {
    ObjectRef<SceneObject> o = make("o", 10, 20);
    o->move_to({40, 60}, 25);  // 50 units: 2 seconds
    update(0.5f);
    EXPECT_FLOAT_EQ(o->x(), 17.5f);
    EXPECT_FLOAT_EQ(o->y(), 30);
    update(1.25f);
    update(0.5f);
    EXPECT_FLOAT_EQ(o->x(), 40);
    EXPECT_FLOAT_EQ(o->y(), 60);
    update(1);
    EXPECT_THAT(callbacks_.calls, ElementsAre("o:move_end"));

    // To where it is: done at the next update. A stopped move reports nothing.
    o->move_to({40, 60}, 25);
    update(0.001f);
    o->move_to({0, 0}, 1);
    update(1);
    o->stop_move();
    update(10);
    EXPECT_THAT(callbacks_.calls, ElementsAre("o:move_end", "o:move_end"));
    EXPECT_NEAR(o->x(), 40 - 40 / std::hypot(40.0f, 60.0f), 1e-4);
}

TEST_F(SceneMotion, RotateToTurnsTheShortWay) {
    struct Case {
        float from, to;  // degrees
        float turn;      // degrees rotate_to reports
        float halfway;   // degrees after half the time
        float end;       // degrees at the end
    };
    const Case cases[] = {
        // Turns towards a target are not brought back into one turn.
        {10, 350, -20, 360, 350}, {350, 10, 20, 360, 370},  {0, 180, 180, 90, 180},
        {90, -90, 180, 180, 270}, {720, 45, 45, 22.5f, 45}, {-30, 60, 90, 375, 420},
        {100, 460, 0, 100, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " to " << c.to);
        callbacks_ = RecordingCallbacks();
        ObjectRef<SceneObject> o = make("o");
        o->set_rotation(c.from / 360);
        const float speed = 20;  // degrees per second
        EXPECT_NEAR(o->rotate_to(c.to / 360, speed / 360) * 360, c.turn, 1e-3);
        const float seconds = std::abs(c.turn) / speed;
        if (seconds > 0) {
            update(seconds / 2);
            EXPECT_NEAR(o->rotation() * 360, c.halfway, 1e-2);
            EXPECT_THAT(callbacks_.calls, IsEmpty());
        }
        update(seconds > 0 ? seconds : 0.001f);
        EXPECT_NEAR(o->rotation() * 360, c.end, 1e-2);
        EXPECT_THAT(callbacks_.calls, ElementsAre("o:rotate_end"));
    }
}

TEST_F(SceneMotion, ContinuousRotationWrapsAndEndsNothing) {
    ObjectRef<SceneObject> o = make("o");
    o->rotate(-0.25f);
    update(1);
    EXPECT_NEAR(o->rotation(), 0.75f, 1e-5);
    o->rotate_to(0.875f, 0.5f);  // replaces the continuous rotation
    update(0.5f);
    update(1);
    EXPECT_NEAR(o->rotation(), 0.875f, 1e-5);
    o->rotate(1);
    o->stop_rotate();
    update(0.5f);
    EXPECT_NEAR(o->rotation(), 0.875f, 1e-5);
    EXPECT_THAT(callbacks_.calls, ElementsAre("o:rotate_end"));
}

TEST_F(SceneMotion, FadesChangeAlphaAndEndOnce) {
    ObjectRef<SceneObject> o = make("o");
    o->set_color({1, 0.5f, 0.25f, 0.8f});
    o->fade_alpha_to(0.2f, 2);
    update(0.5f);
    EXPECT_FLOAT_EQ(o->color()[3], 0.65f);
    EXPECT_FLOAT_EQ(o->color()[1], 0.5f);
    update(2);
    update(1);
    EXPECT_FLOAT_EQ(o->color()[3], 0.2f);
    o->fade_alpha_to(0, 0);
    update(0.001f);
    EXPECT_FLOAT_EQ(o->color()[3], 0);
    o->fade_alpha_to(1, 1);
    update(0.5f);
    o->stop_fade_alpha();
    update(1);
    EXPECT_FLOAT_EQ(o->color()[3], 0.5f);
    EXPECT_THAT(callbacks_.calls, ElementsAre("o:fade_alpha_end", "o:fade_alpha_end"));
}

}  // namespace
}  // namespace tarn::test
