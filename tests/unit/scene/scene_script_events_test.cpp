// Scene updates seen from scripts: motion numbers, the callbacks an update makes and their order,
// collisions by bits and mask, animations ending once, errors raised by callbacks.
#include <string>
#include <vector>

#include "unit/scene/scene_script_fixture.hpp"

namespace tarn {
namespace {

using SceneScriptEvents = test::SceneScriptTest;

// Runs setup (with `scene` and the probe `o` in it), then one update per step, and returns
// what each step shows: show(probe()) followed by the events of that update.
std::string steps_of(test::ScriptVm& vm, const std::string& setup, const std::vector<float>& steps,
                     const std::string& probe) {
    std::string code =
        "local scene = Scene(), o = Probe(scene, \"o\"), shown = [];" + setup + ";foreach (dt in [";
    for (float dt : steps)
        code += std::to_string(dt) + ",";
    code +=
        "]) { scene.update(dt); local e = events();"
        "shown.append(show(" +
        probe +
        ") + (e == \"\" ? \"\" : \" \" + e)); }"
        "return shown.reduce(@(a, b) a + \"|\" + b);";
    return vm.eval_string(code);
}

struct StepCase {
    const char* name;
    const char* setup;
    std::vector<float> steps;
    const char* probe;
    const char* expected;  // one entry per step, joined by '|'
};

void expect_steps(test::ScriptVm& vm, const std::vector<StepCase>& cases) {
    for (const StepCase& c : cases)
        EXPECT_EQ(steps_of(vm, c.setup, c.steps, c.probe), c.expected) << c.name;
}

TEST_F(SceneScriptEvents, MovesArriveOnTheirProfile) {
    expect_steps(vm_, {
                          {"move_to2 covers 1/6, 1/2 and 5/6 of the way at its quarters",
                           "o.move_to2([600, 60], 1, 0.25, 0.25)",
                           {0.25f, 0.25f, 0.25f, 0.25f, 0.25f},
                           "o.get_position()",
                           "100 10|300 30|500 50|600 60 o move|600 60"},
                          {"move_to2 longer than its ramps cruises in between",
                           "o.set_position(100, 0); o.move_to2(-300, 0, 2, 0.5, 0.5)",
                           {0.5f, 1.0f, 0.5f},
                           "o.get_position()",
                           "33.3333 0|-233.333 0|-300 0 o move"},
                          {"move_to with the target as two numbers",
                           "o.move_to(30, 40, 100)",
                           {0.25f, 0.25f},
                           "o.get_position()",
                           "15 20|30 40 o move"},
                          {"move_to with the target as an array",
                           "o.move_to([30, 40], 100)",
                           {0.25f, 0.25f},
                           "o.get_position()",
                           "15 20|30 40 o move"},
                          {"move_to the current position ends at the next update",
                           "o.set_position(5, 5); o.move_to(5, 5, 100)",
                           {0.0f, 0.1f},
                           "o.get_position()",
                           "5 5 o move|5 5"},
                          {"stop_move stays put",
                           "o.move_to(100, 0, 100); scene.update(0.5); o.stop_move()",
                           {0.5f},
                           "o.get_position()",
                           "50 0"},
                          {"fade_alpha_to",
                           "o.fade_alpha_to(0.5, 1)",
                           {0.5f, 0.5f, 0.5f},
                           "o.get_color()[3]",
                           "0.75|0.5 o fade|0.5"},
                          {"fade_alpha_to in no time",
                           "o.fade_alpha_to(0, 0)",
                           {0.0f},
                           "o.get_color()[3]",
                           "0 o fade"},
                          {"rotate in degrees per second",
                           "o.rotate(90)",
                           {1.0f, 3.5f},
                           "o.get_angle()",
                           "90|45"},
                      });
}

TEST_F(SceneScriptEvents, RotateToTakesTheShorterWay) {
    // (from, to) at a speed that makes every turn last one second: the signed turn returned, the
    // angle halfway and at the end.
    struct Case {
        float from, to, speed;
        const char* expected;
    };
    const Case cases[] = {
        {10, 350, 20, "-20: 360|350 o rotate|350"},  {350, 10, 20, "20: 360|370 o rotate|370"},
        {90, 270, 180, "180: 180|270 o rotate|270"}, {-90, 90, 180, "-180: 180|90 o rotate|90"},
        {720, 45, 45, "45: 22.5|45 o rotate|45"},    {30, 390, 1, "0: 30 o rotate|30|30"},
    };
    for (const Case& c : cases) {
        const std::string setup = "o.set_angle(" + std::to_string(c.from) + "); ::turn <- show(" +
                                  "o.rotate_to(" + std::to_string(c.to) + ", " +
                                  std::to_string(c.speed) + "))";
        const std::string shown = steps_of(vm_, setup, {0.5f, 0.6f, 1.0f}, "o.get_angle()");
        EXPECT_EQ(vm_.eval_string("return ::turn") + ": " + shown, c.expected)
            << c.from << " -> " << c.to;
    }
}

TEST_F(SceneScriptEvents, OutOfAreaIsReportedAtEveryUpdateWhileOutside) {
    expect_steps(
        vm_, {
                 {"inside, on the edges",
                  "o.set_area([0, 0], [100, 100]); o.set_position(0, 100)",
                  {0.1f},
                  "o.get_position()",
                  "0 100"},
                 {"outside, at each update",
                  "o.set_area([0, 0], [100, 100]); o.set_position(100.5, 50)",
                  {0.1f, 0.1f},
                  "o.get_position()",
                  "100.5 50 o area|100.5 50 o area"},
                 {"moving back in",
                  "o.set_area(0, 0, 100, 100); o.set_position(-10, 50);"
                  "o.move_to(10, 50, 40)",
                  {0.25f, 0.25f},
                  "o.get_position()",
                  "0 50|10 50 o move"},
                 {"the world origin counts",
                  "o.set_area([0, 0], [100, 100]); o.set_position(50, 50);"
                  "::parent <- SceneObject(); ::parent.set_position(60, 0); o.set_parent(::parent)",
                  {0.1f},
                  "o.get_position()",
                  "50 50 o area"},
             });
}

TEST_F(SceneScriptEvents, AnimationsEndOnce) {
    expect_steps(vm_, {
                          {"backward, stopping on the first frame",
                           "o.set_sprite(\"walk\"); o.play_backward()",
                           {0.1f, 0.1f, 0.1f, 0.1f, 0.1f},
                           "o.get_size()",
                           "4 4|10 20|10 20 o animation|10 20|10 20"},
                          {"forward, several frames in one update",
                           "o.set_sprite(\"walk\"); o.play()",
                           {0.25f, 0.25f, 0.25f},
                           "o.get_size()",
                           "10 20|10 20 o animation|10 20"},
                          {"a static sprite as a one-shot timer",
                           "o.set_sprite(\"timer\"); o.play()",
                           {0.2f, 0.2f, 0.2f, 0.2f},
                           "o.is_playing()",
                           "true|true|false o animation|false"},
                          {"looping never ends",
                           "o.set_sprite(\"timer\"); o.set_looping(true); o.play()",
                           {0.2f, 0.2f, 0.2f, 0.2f},
                           "o.is_playing()",
                           "true|true|true|true"},
                          {"stopped before the end",
                           "o.set_sprite(\"timer\"); o.play(); o.stop()",
                           {0.6f},
                           "o.is_playing()",
                           "false"},
                      });
}

TEST_F(SceneScriptEvents, CallbacksOfOneUpdateComeInTheirOrder) {
    // b walks first (layer 0): animation ends during the walk, then each object's move, rotate,
    // fade and area events, then both sides of the collision.
    EXPECT_EQ(run(R"(
        local scene = Scene();
        local a = Probe(scene, "a"), b = Probe(scene, "b");
        a.set_layer(1);
        foreach (o in [a, b]) {
            o.set_sprite("timer");
            o.play();
            o.move_to(o.get_position(), 10);
            o.rotate_to(0, 10);
            o.fade_alpha_to(0, 0);
            o.set_area([10, 10], [20, 20]);
            o.add_collision_circle(0, 0, 1);
            o.set_collision_bits(1, 1);
        }
        scene.update(0.6);
        local first = events();
        scene.update(0.1);
        return first + "|" + events();
    )"),
              "b animation,a animation,b move,b rotate,b fade,b area,a move,a rotate,a fade,a area,"
              "b>a,a>b|b area,a area,b>a,a>b");
}

TEST_F(SceneScriptEvents, CollisionsPairObjectsByBitsAndMask) {
    struct Case {
        int a_bits, a_mask, b_bits, b_mask;
        float distance;  // between circles of radius 1
        const char* expected;
    };
    const Case cases[] = {
        {1, 1, 1, 1, 2.0f, "a>b,b>a"}, {0, 1, 1, 0, 1.0f, "a>b"}, {1, 0, 0, 1, 1.0f, "b>a"},
        {2, 1, 1, 2, 1.0f, "a>b,b>a"}, {1, 2, 1, 2, 1.0f, ""},    {1, 1, 1, 1, 2.01f, ""},
    };
    for (const Case& c : cases) {
        const std::string code =
            "local scene = Scene(), a = Probe(scene, \"a\"), b = Probe(scene, "
            "\"b\");"
            "a.add_collision_circle(0, 0, 1); b.add_collision_circle(0, 0, 1);"
            "b.set_position(" +
            std::to_string(c.distance) +
            ", 0);"
            "a.set_collision_bits(" +
            std::to_string(c.a_bits) + ", " + std::to_string(c.a_mask) +
            "); b.set_collision_bits(" + std::to_string(c.b_bits) + ", " +
            std::to_string(c.b_mask) + "); scene.update(0); return events();";
        EXPECT_EQ(run(code), c.expected)
            << c.a_bits << c.a_mask << c.b_bits << c.b_mask << " at " << c.distance;
    }
}

TEST_F(SceneScriptEvents, ACallbackErrorLeavesTheUpdateAndIsRaisedAfterIt) {
    EXPECT_EQ(run(R"(
        class Faulty extends Probe {
            function on_move_end() { throw "no way"; }
        }
        local scene = Scene();
        local objects = [Faulty(scene, "a"), Probe(scene, "b")];
        foreach (o in objects) o.move_to(0, 0, 1);
        try {
            scene.update(0.1);
        } catch (error) {
            return error + ": " + events();
        }
    )"),
              "no way: b move");
}

}  // namespace
}  // namespace tarn
