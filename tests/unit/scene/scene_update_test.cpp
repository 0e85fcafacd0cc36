#include <gmock/gmock.h>

#include "unit/scene/scene_fixture.hpp"

namespace tarn::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

using SceneUpdate = SceneTest;

// A loaded static sprite without a texture and with duration 0: a play of it ends at the next
// update.
ObjectRef<Sprite> timer_sprite() {
    ObjectRef<Sprite> sprite(new Sprite);
    sprite->make_frame(nullptr, {0, 0, 1, 1}, {0, 0, 1, 1}, {0, 0}, {1, 1, 1, 1});
    return sprite;
}

TEST_F(SceneUpdate, CallbacksComeInWalkOrderThenEventOrderThenCollisions) {
    ObjectRef<SceneObject> a = make("a", 50, 50);
    ObjectRef<SceneObject> t = make("t");
    ObjectRef<SceneObject> c = make("c", 51, 50);
    ObjectRef<SceneObject> b = make("b", 0, 0, -1);
    ObjectRef<SceneObject> unnamed = make("");
    for (SceneObject* o : {a.get(), b.get(), unnamed.get()})
        o->move_to({o->x(), o->y()}, 10);
    a->fade_alpha_to(0, 0);
    a->rotate_to(0, 1);
    for (SceneObject* o : {a.get(), c.get()}) {
        o->set_area({0, 0}, {10, 10});
        o->add_collision_circle({0, 0}, 1);
        o->set_collision_bits(1, 1);
    }
    ObjectRef<Sprite> timer = timer_sprite();
    t->set_sprite(timer.get());
    t->play();
    update(0.1f);
    EXPECT_THAT(callbacks_.calls, ElementsAre("t:animation_end", "b:move_end", "a:move_end",
                                              "a:rotate_end", "a:fade_alpha_end", "a:out_of_area",
                                              "c:out_of_area", "a:collision:c", "c:collision:a"));
}

TEST_F(SceneUpdate, OutOfAreaIsReportedAtEveryUpdateOutside) {
    struct Case {
        float x, y;
        float parent_x;  // the object hangs under a parent there
        int reports;     // over three updates
    };
    const Case cases[] = {
        {5, 5, 0, 0},   {0, 10, 0, 0},  {10.01f, 5, 0, 3},
        {-1, -1, 0, 3}, {5, 5, 100, 3}, {-95, 5, 100, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y << " under " << c.parent_x);
        callbacks_ = RecordingCallbacks();
        ObjectRef<SceneObject> parent = make("", c.parent_x, 0);
        ObjectRef<SceneObject> o = make("o", c.x, c.y);
        o->bind(parent.get());
        o->set_area({0, 0}, {10, 10});
        for (int i = 0; i < 3; ++i)
            update(0.1f);
        EXPECT_EQ(callbacks_.calls.size(), static_cast<std::size_t>(c.reports));
    }
}

TEST_F(SceneUpdate, CollisionsFollowBitsMasksLayersAndCircles) {
    struct Case {
        const char* what;
        int a_bits, a_mask, b_bits, b_mask;
        float distance;  // between centres of two unit circles
        int b_layer;
        bool b_named;
        std::vector<std::string> calls;
    };
    const std::vector<Case> cases = {
        {"both react, touching", 1, 1, 1, 1, 2, 0, true, {"a:collision:b", "b:collision:a"}},
        {"only a reacts", 0, 1, 1, 0, 1, 0, true, {"a:collision:b"}},
        {"only b reacts", 1, 0, 0, 1, 1, 0, true, {"b:collision:a"}},
        {"apart", 1, 1, 1, 1, 2.01f, 0, true, {}},
        {"other categories", 2, 2, 1, 1, 0, 0, true, {}},
        {"shared bit of several", 6, 5, 12, 3, 0, 0, true, {"a:collision:b", "b:collision:a"}},
        {"b in an earlier layer comes first",
         1,
         1,
         1,
         1,
         1,
         -3,
         true,
         {"b:collision:a", "a:collision:b"}},
        {"b takes no callbacks", 1, 1, 1, 1, 1, 0, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        callbacks_ = RecordingCallbacks();
        ObjectRef<SceneObject> a = make("a", 10, 10);
        ObjectRef<SceneObject> b = make(c.b_named ? "b" : "", 10 + c.distance, 10, c.b_layer);
        a->set_collision_bits(c.a_bits, c.a_mask);
        b->set_collision_bits(c.b_bits, c.b_mask);
        a->add_collision_circle({0, 0}, 1);
        b->add_collision_circle({0, 0}, 1);
        update(0.1f);
        EXPECT_THAT(callbacks_.calls, ElementsAreArray(c.calls));
    }
}

TEST_F(SceneUpdate, CirclesSitInTheObjectsWorldAndPointsTestAgainstThem) {
    ObjectRef<SceneObject> parent = make("", 100, 0);
    ObjectRef<SceneObject> a = make("a", 10, 10);
    ObjectRef<SceneObject> b = make("b", 110, 13);
    a->bind(parent.get());
    a->set_rotation(0.25f);      // (2, 0) turns to (0, 2)
    a->set_local_scale({5, 5});  // does not scale circles
    a->add_collision_circle({2, 0}, 0.5f);
    a->add_collision_circle({50, 50}, 0.5f);
    b->add_collision_circle({0, 0}, 0.5f);
    a->set_collision_bits(1, 1);
    b->set_collision_bits(1, 0);
    // Between two circles of m, touching neither.
    ObjectRef<SceneObject> m = make("m", 300, 300);
    ObjectRef<SceneObject> n = make("n", 300, 300);
    m->add_collision_circle({-10, 0}, 1);
    m->add_collision_circle({10, 0}, 1);
    n->add_collision_circle({0, 0}, 8.9f);
    m->set_collision_bits(2, 2);
    n->set_collision_bits(2, 2);
    update(0.1f);
    EXPECT_THAT(callbacks_.calls, ElementsAre("a:collision:b"));
    n->add_collision_circle({0, 3}, 9.5f);
    callbacks_.calls.clear();
    update(0.1f);
    EXPECT_THAT(callbacks_.calls, ElementsAre("a:collision:b", "m:collision:n", "n:collision:m"));
    EXPECT_TRUE(a->test_collision_with_point({110, 12.4f}));
    EXPECT_FALSE(a->test_collision_with_point({112, 10}));
    a->remove_all_collisions();
    EXPECT_FALSE(a->test_collision_with_point({110, 12}));
}

TEST_F(SceneUpdate, AnEndedAnimationIsReportedOnce) {
    struct Case {
        const char* what;
        bool looping, play, backward, stop;
        int reports;
        bool playing;  // after the updates
    };
    const Case cases[] = {
        {"one shot", false, true, false, false, 1, false},
        {"backward", false, true, true, false, 1, false},
        {"looping", true, true, false, false, 0, true},
        {"stopped", false, true, false, true, 0, false},
        {"never played", false, false, false, false, 0, false},
    };
    ObjectRef<Sprite> timer = timer_sprite();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        callbacks_ = RecordingCallbacks();
        ObjectRef<SceneObject> o = make("o");
        o->set_sprite(timer.get());
        if (c.looping)
            o->set_looping(true);
        if (c.play)
            c.backward ? o->play_backward() : o->play();
        if (c.stop)
            o->stop();
        for (int i = 0; i < 4; ++i)
            update(0.1f);
        EXPECT_EQ(callbacks_.calls.size(), static_cast<std::size_t>(c.reports));
        EXPECT_EQ(o->is_playing(), c.playing);
    }
}

TEST_F(SceneUpdate, LayersClampAndSortByTheWorldYOfRootAncestors) {
    ObjectRef<SceneObject> a = make("a", 0, 5, 2);
    ObjectRef<SceneObject> b = make("b", 0, 1, 2);
    ObjectRef<SceneObject> c = make("c", 0, -10, 2);
    ObjectRef<SceneObject> d = make("d", 0, 5, 2);
    ObjectRef<SceneObject> e = make("e", 0, 0, 2);
    c->bind(a.get());
    e->set_layer(40);
    EXPECT_EQ(e->layer(), 16);
    EXPECT_EQ(scene_->first(16), e.get());
    e->set_layer(-40);
    EXPECT_EQ(scene_->count(-16), 1);
    EXPECT_EQ(scene_->count(16), 0);
    EXPECT_THAT(order(2), ElementsAre("a", "b", "c", "d"));
    scene_->sort_layer(2);
    EXPECT_THAT(order(2), ElementsAre("b", "a", "c", "d"));
    EXPECT_EQ(scene_->last(2), d.get());
    b->set_layer(2);  // rejoins at the end
    EXPECT_THAT(order(2), ElementsAre("a", "c", "d", "b"));
    EXPECT_EQ(scene_->count(2), 4);
}

}  // namespace
}  // namespace tarn::test
