// Emitter defs and the emitter state's spawning, ageing and finishing, on sprites of the null
// texture (which need no display).
#include "resources/emitter.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource_loading.hpp"
#include "support/log_capture.hpp"
#include "support/script_vm.hpp"
#include "unit/render/gl_window.hpp"

namespace tarn::test {
namespace {

using ::testing::ElementsAreArray;
using E = Emitter2dResource;

constexpr float kTurn = 360.0f;

class EmitterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensure_singletons(); }

    // Sprites "still" (no duration), "timed" (0.5 s) and "anim" (two frames, 1 s).
    void SetUp() override {
        ASSERT_TRUE(
            vm_.run("::g_texture_defs.none <- { _special_ = \"_null_\" };"
                    "::g_sprite_defs.still <- { texture = \"none\" };"
                    "::g_sprite_defs.timed <- { texture = \"none\", duration = 0.5 };"
                    "::g_sprite_defs.anim <- { frames = [\"timed\", \"still\"], duration = 1 };"));
    }

    // The emitter of def (script table text) under name, loaded or not.
    ObjectRef<E> load(const std::string& def, const std::string& name = "e") {
        if (!vm_.run("::g_emitter_defs[\"" + name + "\"] <- " + def + ";"))
            ADD_FAILURE() << "bad def " << def;
        ObjectRef<E> emitter(get_or_create<E>(vm_.vm(), name.c_str()));
        emitter->ensure_loaded();
        return emitter;
    }
    // A loaded emitter "e" of the "timed" sprite with more keys (script table slots).
    ObjectRef<E> timed(const std::string& keys, const std::string& name = "e") {
        ObjectRef<E> emitter = load("{ sprite = \"timed\", " + keys + " }", name);
        EXPECT_EQ(emitter->load_state(), EngineObject::kLoaded) << keys;
        return emitter;
    }

    // The lines of log about emitters.
    static std::vector<std::string> emitter_lines(const LogCapture& log) {
        std::vector<std::string> out;
        for (const std::string& line : log.lines()) {
            if (line.find("mitter") != std::string::npos)
                out.push_back(line);
        }
        return out;
    }

    ScriptVm vm_;
};

TEST_F(EmitterTest, DefProblemsAreLoggedAndFailTheLoadWhenTheyMust) {
    const std::string unable = "Unable to load emitter 'e'.";
    const std::string failed = "Error: Emitter2dResource 'e' failed to load.";
    const std::string untimed =
        "Emitter e: Negative particle duration requires all sprites to be animated.";
    auto only = [](const char* run) {
        return std::string("Emitter e: Only ") + run + "=[start,end] supported for now.";
    };
    struct Case {
        std::string def;
        bool loads;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"{}", false, {"Emitter e: Invalid sprites.", unable, failed}},
        {"{ sprite = 7 }", false, {"Emitter e: Invalid sprites.", unable, failed}},
        {"{ sprite = [\"timed\", 7] }", false, {"Emitter e: Invalid sprites.", unable, failed}},
        {"{ sprite = [] }", false, {"Emitter e: Invalid number of sprites.", unable, failed}},
        {"{ sprite = \"missing\" }", false, {unable, failed}},
        {"{ sprite = [\"timed\", \"missing\"] }", false, {unable, failed}},
        {"{ sprite = \"still\" }", true, {untimed}},
        {"{ sprite = [\"anim\", \"still\"], duration = -1 }", true, {untimed}},
        {"{ sprite = [\"timed\", \"anim\"] }", true, {}},
        {"{ sprite = \"still\", duration = [2, 1] }",
         true,
         {"Emitter e: Invalid particle duration range."}},
        {"{ sprite = \"timed\", alpha_run = [1, 0, 0.5] }",
         false,
         {only("alpha_run"), unable, failed}},
        {"{ sprite = \"timed\", color_run = [1] }", false, {only("color_run"), unable, failed}},
        {"{ sprite = \"timed\", scale_run = [[1, 1]] }",
         false,
         {only("scale_run"), unable, failed}},
        {"{ sprite = \"timed\", occlusion_run = [] }",
         false,
         {only("occlusion_run"), unable, failed}},
        {"{ sprite = \"timed\", color_run = \"red\", scale_run = {} }", true, {}},
    };
    for (const Case& c : cases) {
        const LogCapture log;
        const ObjectRef<E> e = load(c.def);
        EXPECT_EQ(e->load_state(), c.loads ? EngineObject::kLoaded : EngineObject::kFailed)
            << c.def;
        EXPECT_EQ(e->sprites.empty(), !c.loads) << c.def;
        EXPECT_THAT(emitter_lines(log), ElementsAreArray(c.lines)) << c.def;
    }
}

TEST_F(EmitterTest, RangesTakeNumbersOrPairsAndAnglesBecomeTurns) {
    struct Case {
        std::string keys;
        RandomRange E::*field;
        float min, span;
    };
    const Case cases[] = {
        {"", &E::spawn_rate, 1, 0},
        {"", &E::gravity, 1, 0},
        {"", &E::alpha, 1, 0},
        {"", &E::speed, 0, 0},
        {"speed = [5, 2, \"x\"]", &E::speed, 5, -3},
        {"speed = [5]", &E::speed, 0, 0},
        {"gravity = \"x\"", &E::gravity, 1, 0},
        {"direction = 90, spread = 20", &E::direction, 80 / kTurn, 20 / kTurn},
        {"direction = [-90, 90]", &E::direction, -0.25f, 0.5f},
        {"angle = [180, 90]", &E::angle, 0.5f, -0.25f},
        {"alpha = [0.5, 1], alpha_run = 0.5", &E::alpha, 0.25f, 0.25f},
        {"duration = [2, 3]", &E::duration, 2, 1},
        {"duration = [0, 3]", &E::duration, 0, 0},
    };
    for (const Case& c : cases) {
        const ObjectRef<E> e = timed(c.keys);
        EXPECT_FLOAT_EQ(((*e).*c.field).min, c.min) << c.keys;
        EXPECT_FLOAT_EQ(((*e).*c.field).span, c.span) << c.keys;
    }
}

TEST_F(EmitterTest, RunsSpawnBoxAndTheirFlags) {
    const ObjectRef<E> all = timed(
        "spawn_box = 4, rotation_speed = 90, initial_delay = 0.5, spawn_duration = 2,"
        "alpha_run = [0.25, \"x\"], color_run = [[1, 0.5, 0], 0.25], scale_run = [2, [1, 3]],"
        "occlusion_run = 0.5");
    EXPECT_EQ(all->flags, 0x3Eu);
    EXPECT_EQ(all->spawn_box, (std::array<float, 2>{4, 4}));
    EXPECT_FLOAT_EQ(all->rotation_speed, 0.25f);
    EXPECT_FLOAT_EQ(all->initial_delay, 0.5f);
    EXPECT_FLOAT_EQ(all->spawn_duration, 2);
    EXPECT_EQ(all->alpha_run.start, 0.25f);
    EXPECT_EQ(all->alpha_run.end, 1);
    EXPECT_EQ(all->color_run.start, (std::array<float, 3>{1, 0.5f, 0}));
    EXPECT_EQ(all->color_run.end, (std::array<float, 3>{0.25f, 0.25f, 0.25f}));
    EXPECT_EQ(all->scale_run.start, (std::array<float, 2>{2, 2}));
    EXPECT_EQ(all->scale_run.end, (std::array<float, 2>{1, 3}));
    EXPECT_EQ(all->occlusion_run.start, 0.5f);
    EXPECT_EQ(all->occlusion_run.end, 0.5f);

    const ObjectRef<E> odd = timed(
        "spawn_box = [0, 0], occlusion_run = [0, \"x\"], color_run = [[1, 1], \"red\"]", "odd");
    EXPECT_EQ(odd->flags, 0x28u);
    EXPECT_EQ(odd->occlusion_run.end, 1);
    EXPECT_EQ(odd->color_run.start, (std::array<float, 3>{0, 0, 0}));
    EXPECT_EQ(odd->color_run.end, (std::array<float, 3>{0, 0, 0}));
}

// Updates by dt, count times.
struct Steps {
    float dt;
    int count = 1;
};

void run(EmitterState& state, const std::vector<Steps>& steps) {
    for (const Steps& s : steps) {
        for (int i = 0; i < s.count; ++i)
            state.update(s.dt, 0, 0);
    }
}

TEST_F(EmitterTest, SpawnCountsCarryFractionsBurstOnceAndWaitForTheDelay) {
    struct Case {
        std::string keys;
        std::vector<Steps> steps;
        int spawned;
        int tolerance = 0;
    };
    const Case cases[] = {
        {"spawn_rate = 10, spawn_duration = 2", {{0.03f, 80}}, 20, 1},
        {"spawn_rate = 10, spawn_duration = -1", {{0.0625f, 8}}, 5},
        {"spawn_rate = 5, spawn_duration = 0", {{0.0f}, {0.25f, 3}}, 5},
        {"spawn_rate = 4, initial_delay = 0.5", {{0.25f}}, 0},
        {"spawn_rate = 4, initial_delay = 0.5", {{0.25f}, {1.0f}}, 3},
        {"spawn_rate = 4, initial_delay = 0.5, spawn_duration = 0", {{0.25f}, {0.5f, 3}}, 4},
    };
    for (const Case& c : cases) {
        const ObjectRef<E> e = timed("duration = 100, " + c.keys);
        EmitterState state;
        state.set_resource(e.get());
        run(state, c.steps);
        EXPECT_NEAR(state.particle_count(), c.spawned, c.tolerance) << c.keys;
    }
}

TEST_F(EmitterTest, ParticlesDieAtTheirLifetimeAndEmittersFinishByTheirRules) {
    struct Step {
        bool stop_first;
        float dt;
        int particles;
        bool finished;
    };
    struct Case {
        std::string keys;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"spawn_rate = 0", {{false, 1, 0, false}, {true, 0, 0, true}}},
        {"spawn_rate = 10, duration = 0.6",
         {{false, 0.25f, 2, false}, {true, 0.25f, 2, false}, {false, 0.5f, 0, true}}},
        {"spawn_rate = 2, spawn_duration = 0, duration = 1",
         {{false, 0.5f, 2, false}, {false, 0.25f, 2, false}, {false, 0.25f, 0, true}}},
        {"spawn_rate = 0, spawn_duration = 1", {{false, 0.5f, 0, false}, {false, 0.5f, 0, true}}},
        {"spawn_rate = 0, spawn_duration = 0, initial_delay = 1",
         {{false, 0.5f, 0, false}, {false, 0.5f, 0, true}}},
    };
    for (const Case& c : cases) {
        const ObjectRef<E> e = timed(c.keys);
        EmitterState state;
        state.set_resource(e.get());
        for (const Step& s : c.steps) {
            if (s.stop_first)
                state.stop();
            state.update(s.dt, 0, 0);
            EXPECT_EQ(state.particle_count(), s.particles) << c.keys << " dt " << s.dt;
            EXPECT_EQ(state.is_finished(), s.finished) << c.keys << " dt " << s.dt;
        }
    }
}

TEST_F(EmitterTest, WithoutALoadedResourceAStateIsFinishedAndStill) {
    EmitterState state;
    EXPECT_TRUE(state.is_finished());
    const ObjectRef<E> broken = load("{ sprite = [] }");
    state.set_resource(broken.get());
    state.update(1, 0, 0);
    EXPECT_TRUE(state.is_finished());
    EXPECT_EQ(state.particle_count(), 0);

    const ObjectRef<E> later(get_or_create<E>(vm_.vm(), "later"));
    ASSERT_TRUE(
        vm_.run("::g_emitter_defs.later <- { sprite = \"timed\", spawn_rate = 4, duration = 2 };"));
    state.set_resource(later.get());
    EXPECT_EQ(later->load_state(), EngineObject::kLoaded);
    state.update(1, 0, 0);
    EXPECT_EQ(state.particle_count(), 4);
    state.clear();
    EXPECT_EQ(state.resource(), nullptr);
    EXPECT_EQ(state.particle_count(), 0);
}

}  // namespace
}  // namespace tarn::test
