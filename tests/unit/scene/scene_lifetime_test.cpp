#include <gmock/gmock.h>

#include <cmath>

#include "unit/scene/scene_fixture.hpp"

// Callbacks that release, move and destroy objects and scenes while the scene updates.
namespace tarn::test {
namespace {

using ::testing::ElementsAreArray;

constexpr float kStep = 0.125f;
constexpr int kDeleted = -1;

class SceneLifetime : public SceneTest {
public:
    // a, b, c, d in layer 0, each turning one turn a second; a's animation ends and its move
    // ends (reported after the walk) at the first update.
    void SetUp() override {
        for (const char* name : {"a", "b", "c", "d"})
            add(name, 0);
        held_["a"]->set_sprite(timer_.get());
        held_["a"]->play();
        held_["a"]->move_to({0, 0}, 1);
    }
    SceneObject* add(const std::string& name, int layer) {
        ObjectRef<SceneObject> o = make(name, 0, 0, layer);
        o->rotate(1);
        weak_[name].reset(o.get());
        held_[name] = o;
        return o.get();
    }
    // Updates advanced name (kDeleted once it is gone).
    int updates_of(const std::string& name) {
        SceneObject* o = weak_[name].get();
        return o == nullptr ? kDeleted : static_cast<int>(std::lround(o->rotation() / kStep));
    }

    ObjectRef<Sprite> timer_ = [] {
        ObjectRef<Sprite> sprite(new Sprite);
        sprite->make_frame(nullptr, {0, 0, 1, 1}, {0, 0, 1, 1}, {0, 0}, {1, 1, 1, 1});
        return sprite;
    }();
    std::map<std::string, ObjectRef<SceneObject>> held_;
    std::map<std::string, WeakObjectRef<SceneObject>> weak_;
};

TEST_F(SceneLifetime, CallbacksMayDropOrMoveAnythingAndEachObjectIsAdvancedOnce) {
    struct Case {
        const char* what;
        const char* during;  // the callback that acts
        std::function<void(SceneLifetime&)> action;
        std::vector<int> updates;  // of a, b, c, d, e
    };
    const std::vector<Case> cases = {
        {"drop the current object",
         "a:animation_end",
         [](SceneLifetime& t) { t.held_["a"].reset(); },
         {kDeleted, 1, 1, 1, kDeleted}},
        {"drop its successor",
         "a:animation_end",
         [](SceneLifetime& t) { t.held_["b"].reset(); },
         {1, kDeleted, 1, 1, kDeleted}},
        {"take the successor out",
         "a:animation_end",
         [](SceneLifetime& t) { t.held_["b"]->set_scene(nullptr); },
         {1, 0, 1, 1, kDeleted}},
        {"take the successor out and drop it",
         "a:animation_end",
         [](SceneLifetime& t) {
             t.held_["b"]->set_scene(nullptr);
             t.held_["b"].reset();
         },
         {1, kDeleted, 1, 1, kDeleted}},
        {"take out the successor and the one after",
         "a:animation_end",
         [](SceneLifetime& t) {
             t.held_["b"]->set_scene(nullptr);
             t.held_["c"]->set_scene(nullptr);
         },
         {1, 0, 0, 1, kDeleted}},
        {"move the successor to a later layer",
         "a:animation_end",
         [](SceneLifetime& t) { t.held_["b"]->set_layer(3); },
         {1, 1, 1, 1, kDeleted}},
        {"move the current object to a later layer",
         "a:animation_end",
         [](SceneLifetime& t) { t.held_["a"]->set_layer(5); },
         {1, 1, 1, 1, kDeleted}},
        {"move the current object to the end of its layer",
         "a:animation_end",
         [](SceneLifetime& t) { t.held_["a"]->set_layer(0); },
         {1, 1, 1, 1, kDeleted}},
        {"drop the current object's parent",
         "a:animation_end",
         [](SceneLifetime& t) {
             t.held_["a"]->bind(t.held_["d"].get());
             t.held_["d"].reset();
         },
         {1, 1, 1, kDeleted, kDeleted}},
        {"sort the last one to the top",
         "a:animation_end",
         [](SceneLifetime& t) {
             t.held_["d"]->set_position(0, -1);
             t.scene_->sort_layer(0);
         },
         {1, 1, 1, 1, kDeleted}},
        {"add an object to the layer",
         "a:animation_end",
         [](SceneLifetime& t) { t.add("e", 0); },
         {1, 1, 1, 1, 1}},
        {"update the scene again",
         "a:animation_end",
         [](SceneLifetime& t) { t.update(kStep); },
         {2, 2, 2, 2, kDeleted}},
        {"drop everything after the walk",
         "a:move_end",
         [](SceneLifetime& t) {
             t.held_.clear();
             t.scene_.reset();
         },
         {kDeleted, kDeleted, kDeleted, kDeleted, kDeleted}},
        {"drop everything during the walk",
         "a:animation_end",
         [](SceneLifetime& t) {
             t.held_.clear();
             t.scene_.reset();
         },
         {kDeleted, kDeleted, kDeleted, kDeleted, kDeleted}},
        {"drop the scene during the walk",
         "a:animation_end",
         [](SceneLifetime& t) { t.scene_.reset(); },
         {1, 1, 1, 1, kDeleted}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        held_.clear();
        scene_.reset(new Scene);
        callbacks_ = RecordingCallbacks();
        SetUp();
        WeakObjectRef<Scene> scene(scene_.get());
        callbacks_.actions[c.during] = [this, &c] { c.action(*this); };
        update(kStep);
        std::vector<int> updates;
        for (const char* name : {"a", "b", "c", "d", "e"})
            updates.push_back(updates_of(name));
        EXPECT_THAT(updates, ElementsAreArray(c.updates));
        EXPECT_EQ(scene.get() == nullptr, scene_.get() == nullptr);
        if (scene_.get() == nullptr) {
            for (auto& [name, weak] : weak_)
                EXPECT_TRUE(weak.get() == nullptr || weak->scene() == nullptr) << name;
        }
        weak_.clear();
    }
}

TEST_F(SceneLifetime, CollisionPartnersMayBeDroppedDuringTheirCallbacks) {
    for (const char* name : {"a", "b"}) {
        held_[name]->add_collision_circle({0, 0}, 1);
        held_[name]->set_collision_bits(1, 1);
    }
    callbacks_.actions["a:collision:b"] = [this] {
        held_.clear();
        scene_.reset();
    };
    update(kStep);
    EXPECT_EQ(callbacks_.calls.back(), "b:collision:a");
    for (auto& [name, weak] : weak_)
        EXPECT_EQ(weak.get(), nullptr) << name;
}

}  // namespace
}  // namespace tarn::test
