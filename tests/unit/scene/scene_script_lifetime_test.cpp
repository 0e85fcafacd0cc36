// Lifetimes that scripts decide: objects and scenes dropped inside the callbacks of an update,
// scenes that go while their objects live on, emitters that end themselves, parents changed
// during an update. Run under the sanitizers these also catch use after free.
#include <string>

#include "script/engine_object.hpp"
#include "script/object_ref.hpp"
#include "script/stack_guard.hpp"
#include "unit/scene/scene_script_fixture.hpp"

namespace tarn {
namespace {

class SceneScriptLifetime : public test::SceneScriptTest {
protected:
    // A weak reference to the native object of the script value expr.
    WeakObjectRef<EngineObject> watch(const std::string& expr) {
        ScriptObject value = vm_.eval("return " + expr);
        StackGuard guard(vm_.vm());
        value.push(vm_.vm());
        EngineObject* object = object_at<EngineObject>(vm_.vm(), -1);
        EXPECT_NE(object, nullptr) << expr;
        return WeakObjectRef<EngineObject>(object);
    }

    // Which of the watched objects still live: "1" or "0" each.
    template <typename... Refs>
    static std::string alive(const Refs&... refs) {
        return ((refs ? std::string("1") : std::string("0")) + ...);
    }
};

TEST_F(SceneScriptLifetime, ObjectsDroppedInsideCallbacksGoWhenTheUpdateIsDone) {
    // Objects a, b and c in one scene; when a's callback runs, the script drops a and b.
    struct Case {
        const char* name;
        const char* setup;  // for each object o
        const char* trigger;
        const char* events;
        const char* alive;  // a, b, c after the update
    };
    const Case cases[] = {
        {"deferred events", "o.move_to(0, 0, 1)", "a move", "a move,c move", "001"},
        {"during the walk", "o.set_sprite(\"timer\"); o.play()", "a animation",
         "a animation,c animation", "001"},
        {"collisions", "o.add_collision_circle(0, 0, 1); o.set_collision_bits(1, 1)", "a>b",
         "a>b,b>a,a>c,c>a,b>c,c>b", "001"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(vm_.run(std::string("::scene <- Scene(); ::objects <- [];"
                                        "foreach (name in [\"a\", \"b\", \"c\"]) {"
                                        "  local o = Probe(::scene, name); ::objects.append(o);") +
                            c.setup + "; }" + "::hook = function(what) { if (what == \"" +
                            c.trigger + "\") { ::objects[0] = null; ::objects[1] = null; } }"));
        auto a = watch("::objects[0]"), b = watch("::objects[1]"), third = watch("::objects[2]");
        EXPECT_EQ(run("::scene.update(0.6); return events()"), c.events) << c.name;
        EXPECT_EQ(alive(a, b, third), c.alive) << c.name;
        ASSERT_TRUE(vm_.run("::hook = null; ::objects = null; ::scene = null;"));
    }
}

TEST_F(SceneScriptLifetime, ScenesGoWhileTheirObjectsLiveOn) {
    struct Case {
        const char* name;
        const char* code;  // with ::scene holding a and b, which touch and will end a move
        const char* result;
    };
    const Case cases[] = {
        {"dropped between updates",
         "::scene = null; a.set_layer(3); a.set_scene(Scene()); local s = Scene();"
         "b.set_scene(s); s.update(0.1); return events()",
         "b move"},
        {"dropped by a callback of its own update",
         "::hook = function(what) { if (what == \"a move\") ::scene = null; };"
         "::scene.update(0.1); ::hook = null; return events()",
         "a move,b move,a>b,b>a"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(vm_.run(
            "::scene <- Scene(); ::a <- Probe(::scene, \"a\"); ::b <- Probe(::scene, \"b\");"
            "foreach (o in [a, b]) { o.move_to(0, 0, 1); o.add_collision_circle(0, 0, 1);"
            "o.set_collision_bits(1, 1); }"));
        auto scene = watch("::scene");
        EXPECT_EQ(run(std::string("local a = ::a, b = ::b;") + c.code), c.result) << c.name;
        EXPECT_FALSE(scene) << c.name;
        EXPECT_EQ(run("local s = Scene(); a.set_scene(s); a.move_to(1, 0, 10); s.update(1);"
                      "return events()"),
                  "a move")
            << c.name;
    }
}

TEST_F(SceneScriptLifetime, FinishedEmittersWithAutoDestroyLeaveTheirOwner) {
    // A burst of particles living 0.2 s: the emitter finishes at the second update.
    ASSERT_TRUE(vm_.run(R"(
        ::g_emitter_defs.burst <- { sprite = "timer", spawn_rate = 3, spawn_duration = 0,
                                    duration = 0.2 };
        ::scene <- Scene();
        ::emitter <- function() {
            local o = SceneObject();
            o.set_emitter("burst");
            o.set_auto_destroy(true);
            o.set_owner(::scene);
            o.set_scene(::scene);
            return o;
        };
        ::kept <- ::emitter();
    )"));
    auto kept = watch("::kept"), dropped = watch("::emitter()");
    EXPECT_EQ(run("::scene.update(0.1); return ::kept.is_enabled()"), "true");
    EXPECT_EQ(alive(kept, dropped), "11");
    EXPECT_EQ(run("::scene.update(0.1); return ::kept.is_enabled() + \" \" + (::kept.get_owner() "
                  "== null)"),
              "false true");
    EXPECT_EQ(alive(kept, dropped), "10");
}

TEST_F(SceneScriptLifetime, ParentsChangedDuringAnUpdate) {
    // p walks before c; p's animation ends during the walk and its callback runs the change.
    // c sits at (50, 50) under p at (10, 0) and reports leaving [0, 0]-[100, 100].
    struct Case {
        const char* name;
        const char* change;
        const char* events;
        const char* position;  // c's local position afterwards
    };
    const Case cases[] = {
        {"moved under a far parent", "c.set_parent(::far)", "p animation,c area", "50 50"},
        {"detached, keeping its world place", "c.set_parent(null)", "p animation", "60 50"},
        {"its parent dropped", "::p = null", "p animation", "60 50"},
        {"parented to itself", "c.set_parent(c)", "p animation", "60 50"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(vm_.run(std::string(R"(
            ::scene <- Scene();
            ::p <- Probe(::scene, "p");
            ::c <- Probe(::scene, "c");
            ::far <- SceneObject();
            ::far.set_position(500, 0);
            ::p.set_position(10, 0);
            ::p.set_sprite("timer");
            ::p.play();
            ::c.set_parent(::p);
            ::c.set_position(50, 50);
            ::c.set_area([0, 0], [100, 100]);
            ::hook = function(what) { if (what == "p animation") { local c = ::c; )") +
                            c.change + "; } }"));
        auto parent = watch("::p");
        EXPECT_EQ(run("::scene.update(0.6); return events()"), c.events) << c.name;
        EXPECT_EQ(run("return ::c.get_position()"), c.position) << c.name;
        ASSERT_TRUE(vm_.run("::hook = null; ::p = null;"));
        EXPECT_FALSE(parent) << c.name;
    }
}

}  // namespace
}  // namespace tarn
