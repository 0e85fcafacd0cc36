#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "scene/scene.hpp"
#include "scene/scene_object.hpp"

namespace tarn::test {

inline const char* event_name(SceneEvent event) {
    static constexpr const char* kNames[] = {"move_end", "rotate_end", "fade_alpha_end",
                                             "out_of_area", "animation_end"};
    return kNames[static_cast<int>(event)];
}

// Callbacks that write "name:event" (and "name:collision:other") for named objects, and run an
// action when one is given for that line. Unnamed objects take no callbacks, as objects without
// a script instance.
class RecordingCallbacks : public SceneCallbacks {
public:
    std::map<const SceneObject*, std::string> names;
    std::vector<std::string> calls;
    std::map<std::string, std::function<void()>> actions;

    bool has_receiver(const SceneObject& object) const override {
        return names.count(&object) != 0;
    }
    void on_event(SceneObject& object, SceneEvent event) override {
        record(names.at(&object) + ":" + event_name(event));
    }
    void on_collision(SceneObject& object, SceneObject& other) override {
        record(names.at(&object) + ":collision:" + names.at(&other));
    }

private:
    void record(const std::string& call) {
        calls.push_back(call);
        if (auto found = actions.find(call); found != actions.end())
            found->second();
    }
};

// A scene with helpers to make objects in it. The test holds the only references, so dropping
// one deletes the object. Public, so that actions of table rows reach it.
class SceneTest : public ::testing::Test {
public:
    // A new object of the scene in layer, at (x, y), taking callbacks as name (none when empty).
    ObjectRef<SceneObject> make(const std::string& name, float x = 0, float y = 0, int layer = 0) {
        ObjectRef<SceneObject> object(new SceneObject);
        object->set_layer(layer);
        object->set_position(x, y);
        object->set_scene(scene_.get());
        if (!name.empty())
            callbacks_.names[object.get()] = name;
        return object;
    }
    void update(float dt) { scene_->update(dt, &callbacks_); }
    // The names of layer's objects in list order.
    std::vector<std::string> order(int layer) const {
        std::vector<std::string> result;
        for (SceneObject* o = scene_->first(layer); o != nullptr; o = o->next())
            result.push_back(callbacks_.names.at(o));
        return result;
    }

    ObjectRef<Scene> scene_{new Scene};
    RecordingCallbacks callbacks_;
};

}  // namespace tarn::test
