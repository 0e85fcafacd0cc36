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

// The object starts at (10, 20) with alpha 1 and rotation 0.
TEST_F(SceneMotion, BehavioursEndOnceAndStopWhenTold) {
    using Value = float (*)(const SceneObject&);
    const Value x = [](const SceneObject& o) { return o.x(); };
    const Value alpha = [](const SceneObject& o) { return o.color()[3]; };
    const Value turns = [](const SceneObject& o) { return o.rotation(); };
    struct Case {
        const char* what;
        void (*start)(SceneObject&);
        std::vector<float> steps;  // of the updates
        Value value;
        float expected;
        int ends;
    };
    const std::vector<Case> cases = {
        // 50 units at 25 a second: 2 seconds.
        {"move part way",
         [](SceneObject& o) {
             o.move_to({40, 60}, 25);
         },
         {0.5f},
         x,
         17.5f,
         0},
        {"move",
         [](SceneObject& o) {
             o.move_to({40, 60}, 25);
         },
         {1.25f, 1, 1},
         x,
         40,
         1},
        {"move to where it is",
         [](SceneObject& o) {
             o.move_to({10, 20}, 25);
         },
         {1e-3f, 1},
         x,
         10,
         1},
        {"stopped move",
         [](SceneObject& o) {
             o.move_to({40, 60}, 25);
             o.stop_move();
         },
         {1},
         x,
         10,
         0},
        {"fade part way", [](SceneObject& o) { o.fade_alpha_to(0.2f, 2); }, {0.5f}, alpha, 0.8f, 0},
        {"fade", [](SceneObject& o) { o.fade_alpha_to(0.2f, 2); }, {1.5f, 1, 1}, alpha, 0.2f, 1},
        {"fade in no time", [](SceneObject& o) { o.fade_alpha_to(0, 0); }, {1e-3f}, alpha, 0, 1},
        {"stopped fade",
         [](SceneObject& o) {
             o.fade_alpha_to(0, 1);
             o.stop_fade_alpha();
         },
         {1},
         alpha,
         1,
         0},
        {"rotation wraps", [](SceneObject& o) { o.rotate(-0.25f); }, {1, 1}, turns, 0.5f, 0},
        {"rotate_to replaces rotate",
         [](SceneObject& o) {
             o.rotate(1);
             o.rotate_to(0.125f, 0.5f);
         },
         {1, 1},
         turns,
         0.125f,
         1},
        {"stopped rotation",
         [](SceneObject& o) {
             o.rotate(1);
             o.stop_rotate();
         },
         {1},
         turns,
         0,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        callbacks_ = RecordingCallbacks();
        ObjectRef<SceneObject> o = make("o", 10, 20);
        c.start(*o);
        for (float dt : c.steps)
            update(dt);
        EXPECT_NEAR(c.value(*o), c.expected, 1e-5);
        EXPECT_EQ(callbacks_.calls.size(), static_cast<std::size_t>(c.ends));
    }
}

}  // namespace
}  // namespace tarn::test
