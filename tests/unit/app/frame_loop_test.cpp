// The engine's frame loop driven by a fake clock and event source: timing, input edges, the
// game's callbacks and the end of the loop, on the engine singletons and a real GL window.
#include "app/frame_loop.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/script_api.hpp"
#include "audio/recording_audio_output.hpp"
#include "audio/sound_system.hpp"
#include "core/cvar_list.hpp"
#include "core/key_state.hpp"
#include "core/platform_state.hpp"
#include "render/renderer.hpp"
#include "script/script_host.hpp"
#include "unit/render/gl_window.hpp"

namespace tarn {
namespace {

using platform::Event;
using platform::EventKind;

// What one frame meets: the events waiting at its input step and how long its own work (update
// and render) takes on the clock.
struct FakeFrame {
    std::vector<Event> events;
    std::int32_t work_ms = 0;
};

// A clock that moves only when slept on or when a frame's work is done, and an event queue
// that hands out one frame's events per input step. Past the last frame it asks to quit.
class FakeMachine final : public FrameClock, public platform::EventSource {
public:
    explicit FakeMachine(std::vector<FakeFrame> frames) : frames_(std::move(frames)) {}

    std::int32_t read() override { return now; }
    void sleep(std::uint32_t milliseconds) override {
        sleeps.push_back(milliseconds);
        now += static_cast<std::int32_t>(milliseconds);
    }
    bool poll(Event& event) override {
        if (frame_ >= frames_.size()) {
            event = {.kind = EventKind::kQuit};
            return true;
        }
        FakeFrame& frame = frames_[frame_];
        if (next_event_ < frame.events.size()) {
            event = frame.events[next_event_++];
            return true;
        }
        now += frame.work_ms;
        ++frame_;
        next_event_ = 0;
        return false;
    }

    std::int32_t now = 0;
    std::vector<std::uint32_t> sleeps;

private:
    std::vector<FakeFrame> frames_;
    std::size_t frame_ = 0;
    std::size_t next_event_ = 0;
};

// Each callback appends to ::log: "d<code>" per key press, "u<dt>" per update and "r" per
// render, both followed by "a" while KEY_A was pressed during the frame.
constexpr char kGameScript[] = R"(
::log <- "";
class Game {
    function key_down(code) { ::log += "d" + code + " "; }
    function update(dt) { ::log += "u" + dt + edge() + " "; }
    function render() { ::log += "r" + edge() + " "; }
    function edge() { return System.was_key_pressed(KEY_A) ? "a" : ""; }
}
return Game();
)";

class FrameLoopTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static const bool started = [] {
            if (test::GlWindow::get() == nullptr)
                return false;
            script_host().start(engine_registrations());
            renderer().reset_after_video_mode();
            renderer().init_gl();
            return true;
        }();
        ready_ = started;
    }

    void SetUp() override {
        ASSERT_TRUE(ready_) << "the frame loop needs an X display with OpenGL";
        platform_state() = Platform();
        game_loop() = GameLoop();
        game_ = run(kGameScript);
    }

    static ScriptObject run(const char* code) {
        ScriptHost& host = script_host();
        ScriptObject closure =
            host.compile(code, static_cast<SQInteger>(std::strlen(code)), "frame_loop_test");
        ScriptObject result;
        EXPECT_TRUE(host.call(closure, ScriptObject(), &result)) << code;
        return result;
    }
    static std::string game_log() {
        const ScriptObject log = run("return ::log");
        return log.type() == OT_STRING ? sq_objtostring(&log.handle()) : "<no log>";
    }

    ScriptObject game_;

private:
    static inline bool ready_ = false;
};

Event key(int code, bool down) {
    return {.kind = EventKind::kKey, .code = code, .down = down};
}

TEST_F(FrameLoopTest, FramesAreTimedClampedAndCountedUntilTheQuitEvent) {
    FakeMachine machine({
        {{key(97, true)}, 600},
        {{}, 16},
        {{{.kind = EventKind::kQuit}, key(98, true)}, 5},
    });
    machine.now = 1000;  // start-up ended at this reading
    platform_state().now_ms = 1000;
    platform_state().orientation_timer = 0.05f;
    run_frames(game_, machine, machine);

    // The first frame found no time passed and slept the minimum; the second lasted 600 ms
    // but steps 0.1 s; the quit ends the loop only after its frame was updated and drawn.
    EXPECT_EQ(game_log(), "d97 u0.001a ra u0.1 r u0.016 r ");
    EXPECT_EQ(machine.sleeps, (std::vector<std::uint32_t>{1}));
    const GameLoop& loop = game_loop();
    EXPECT_EQ(loop.frame_count, 3);
    EXPECT_FLOAT_EQ(loop.fps, 2.0f / 0.601f) << "the fps window counts unclamped time";
    EXPECT_FLOAT_EQ(loop.fps_frames, 1.0f);
    EXPECT_EQ(platform_state().now_ms, 1617);
    EXPECT_FALSE(was_key_down(platform_state(), 98)) << "events after the quit stay unread";
    // 0.05 - 0.001 - 0.1, and no further once the transition has run out.
    EXPECT_NEAR(platform_state().orientation_timer, -0.051f, 1e-6f);
}

// A key press starts music that drops its channel at once; update logs whether music plays.
constexpr char kSoundGameScript[] = R"(
::log <- "";
g_sound_defs.theme <- { streaming = true, category = 1 };
System.set_music_sound_category(1);
class Game {
    function key_down(code) {
        local c = SoundChannel();
        c.set_sound(Sound.create("theme"));
        c.play();
    }
    function update(dt) { ::log += System.is_music_playing() ? "p" : "-"; }
    function render() {}
}
return Game();
)";

TEST_F(FrameLoopTest, SoundsAreSteppedAfterInputAndBeforeUpdate) {
    CVarList cvars;
    auto recording = std::make_unique<RecordingAudioOutput>();
    RecordingAudioOutput& output = *recording;
    SoundSystem& sound = sound_system();
    sound.set_output(std::move(recording));
    sound.init(cvars);
    game_ = run(kSoundGameScript);
    // The music has ended by the first step after it started: only a step between the key
    // press and update lets the first update see it over. The quit comes in the second frame.
    output.answer("is_active", false);
    FakeMachine machine({{{key(97, true)}, 16}});
    run_frames(game_, machine, machine);
    sound.shutdown();
    sound.set_music_category(-1);

    EXPECT_EQ(game_log(), "--");
    EXPECT_EQ(output.calls(), (std::vector<std::string>{
                                  "start_device(-1, 22050)", "device_name(0)", "output_info()",
                                  "open_stream(data/theme)", "set_volume(1, 1)", "play(1)",
                                  "is_active(1)", "stop_channel(1)", "stop_device()"}));
}

}  // namespace
}  // namespace tarn
