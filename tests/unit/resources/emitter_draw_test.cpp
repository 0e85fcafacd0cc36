// Emitter states drawn through the quad batch: frames, motion, rotation, order and colours.
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "resources/emitter.hpp"
#include "unit/resources/sprite_fixture.hpp"

namespace tarn::test {
namespace {

class EmitterDrawTest : public SpriteTest {
protected:
    // Sprites "a", "b" and "c": 8 x 8 squares side by side on the sheet (u 0, 0.125, 0.25).
    void SetUp() override {
        SpriteTest::SetUp();
        ASSERT_TRUE(
            vm_.run("foreach (i, n in [\"a\", \"b\", \"c\"])"
                    "  ::g_sprite_defs[n] <- { texture = \"sheet\", rect = [i * 8, 0, 8, 8] };"));
    }
    void TearDown() override {
        states_.clear();
        SpriteTest::TearDown();
    }

    // A state playing the emitter of def (script table slots), one particle that lives long and
    // does not fall unless the slots say otherwise.
    EmitterState& play(const std::string& slots) {
        const std::string name = "e" + std::to_string(states_.size());
        EXPECT_TRUE(vm_.run("::g_emitter_defs." + name +
                            " <- { spawn_rate = 1, spawn_duration = 0, gravity = 0, "
                            "duration = 100 }; foreach (k, v in {" +
                            slots + "}) ::g_emitter_defs." + name + "[k] <- v;"));
        states_.emplace_back(new EmitterState);
        EmitterState& state = *states_.back();
        state.set_resource(get_or_create<Emitter2dResource>(vm_.vm(), name.c_str()));
        EXPECT_EQ(state.resource()->load_state(), EngineObject::kLoaded) << slots;
        return state;
    }

    // The vertices state draws into the batch.
    std::vector<BatchVertex> drawn(const EmitterState& state) {
        renderer_.begin_frame();
        state.draw(renderer_);
        const QuadBatch& batch = renderer_.batch();
        std::vector<BatchVertex> v(batch.vertices(), batch.vertices() + batch.vertex_count());
        renderer_.end_frame();
        return v;
    }

    std::vector<std::unique_ptr<EmitterState>> states_;
};

void expect_at(const BatchVertex& v, float x, float y) {
    EXPECT_NEAR(v.x, x, 1e-4f);
    EXPECT_NEAR(v.y, y, 1e-4f);
}

TEST_F(EmitterDrawTest, AnimatedParticlesStepThroughTheirFrames) {
    struct Case {
        std::string sprite;
        std::vector<float> steps;
        float u;  // of the frame shown
    };
    const Case cases[] = {
        {"{ frames = [\"a\", \"b\", \"c\"], duration = 0.375, loop = true }", {0.3f}, 0.25f},
        {"{ frames = [\"a\", \"b\", \"c\"], duration = 0.375, loop = true }", {0.3f, 0.1f}, 0},
        {"{ frames = [\"a\", \"b\", \"c\"], duration = 0.375, loop = true }", {2.0f}, 0.125f},
        {"{ frames = [\"a\", \"b\", \"c\"], duration = 0.375 }", {0.3f, 0.1f, 5.0f}, 0.25f},
        {"{ frames = [[\"a\", 0], [\"b\", 0], [\"c\", 1]], loop = true }", {0.1f}, 0.125f},
        {"{ frames = [[\"a\", 0], [\"b\", 0], [\"c\", 1]], loop = true }", {0.1f, 0.1f}, 0.25f},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(vm_.run("::g_sprite_defs.anim <- " + c.sprite + ";"));
        ObjectRef<Sprite> anim(get_or_load<Sprite>(vm_.vm(), "anim"));
        ASSERT_TRUE(anim);
        EmitterState& state = play("sprite = \"anim\"");
        for (float dt : c.steps)
            state.update(dt, 0, 0);
        const std::vector<BatchVertex> v = drawn(state);
        ASSERT_EQ(v.size(), 4u);
        EXPECT_FLOAT_EQ(v[1].u, c.u) << c.sprite << " after " << c.steps.size() << " steps";
        state.clear();
    }
}

TEST_F(EmitterDrawTest, ParticlesFlyTurnAndScaleAroundTheirPivot) {
    // Velocity (10, 0) and gravity 4; a half turn to start and a quarter turn per second; the
    // scale runs from (1, 1) to (3, 2) over 2 seconds.
    EmitterState& state = play(
        "sprite = \"a\", direction = 90, speed = 10, gravity = 4, angle = 180, "
        "rotation_speed = 90, duration = 2, scale_run = [1, [3, 2]]");
    state.update(0.5f, 5, 6);
    state.update(0.5f, 50, 50);
    const std::vector<BatchVertex> v = drawn(state);
    ASSERT_EQ(v.size(), 4u);
    // At (15, 9), three quarters of a turn, scale (2, 1.5): local x points up, local y right.
    expect_at(v[1], 15, 9);
    expect_at(v[0], 15, 9 - 16);
    expect_at(v[3], 15 + 12, 9);
    expect_at(v[2], 15 + 12, 9 - 16);
}

// The x of each drawn particle's top-left corner whose frame starts at u (any u when negative).
std::vector<float> lefts(const std::vector<BatchVertex>& v, float u = -1) {
    std::vector<float> out;
    for (std::size_t q = 1; q < v.size(); q += 4) {
        if (u < 0 || v[q].u == u)
            out.push_back(v[q].x);
    }
    return out;
}

TEST_F(EmitterDrawTest, DeadParticlesLeaveTheOthersInSpawnOrder) {
    ASSERT_TRUE(vm_.run(
        "::g_sprite_defs.short <- { texture = \"sheet\", rect = [0, 0, 8, 8], duration = 0.25 };"
        "::g_sprite_defs.long <- { texture = \"sheet\", rect = [8, 0, 8, 8], duration = 10 };"));
    std::srand(7);
    // One particle per update, each where the emitter is then.
    EmitterState& state =
        play("sprite = [\"short\", \"long\"], spawn_rate = 64, spawn_duration = -1, duration = 0");
    for (int i = 0; i < 8; ++i)
        state.update(1.0f / 64, static_cast<float>(10 * i), 0);
    state.stop();
    const std::vector<float> long_ones = lefts(drawn(state), 0.125f);
    ASSERT_TRUE(!long_ones.empty() && long_ones.size() < 8u) << "the seed gives one kind only";
    state.update(0.25f, 0, 0);
    EXPECT_EQ(lefts(drawn(state)), long_ones);
    EXPECT_EQ(state.particle_count(), static_cast<int>(long_ones.size()));
}

TEST_F(EmitterDrawTest, ColoursArePremultipliedOcclusionCoversAndRotationTurnsClockwise) {
    ASSERT_TRUE(vm_.run("::g_sprite_defs.dot <- { texture = \"white\" };"));
    const std::string half_red =
        "sprite = \"dot\", alpha = 0.5, color_run = [[1, 0, 0], [1, 0, 0]], scale_run = [20, 20], ";
    EmitterState& adding = play(half_red + "occlusion_run = 0");
    EmitterState& covering = play(half_red + "occlusion_run = 1");
    // A 40 x 4 white bar turned a quarter about its top-left corner.
    EmitterState& bar = play("sprite = \"dot\", angle = 90, scale_run = [[40, 4], [40, 4]]");
    adding.update(0.001f, 4, 40);
    covering.update(0.001f, 34, 40);
    bar.update(0.001f, 30, 2);
    clear_frame({0, 0, 1});
    renderer_.begin_frame();
    for (const EmitterState* state : {&adding, &covering, &bar})
        state->draw(renderer_);
    renderer_.end_frame();
    EXPECT_TRUE(color_near(pixel(14, 50), {127, 0, 255}));
    EXPECT_TRUE(color_near(pixel(44, 50), {127, 0, 128}));
    EXPECT_TRUE(color_near(pixel(14, 30), {0, 0, 255}));
    EXPECT_TRUE(color_near(pixel(28, 20), {255, 255, 255}));
    EXPECT_TRUE(color_near(pixel(45, 4), {0, 0, 255}));
    EXPECT_TRUE(color_near(pixel(32, 20), {0, 0, 255}));
}

}  // namespace
}  // namespace tarn::test
