#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/script_vm.hpp"
#include "unit/render/gl_window.hpp"

namespace tarn::test {

// A VM with the engine API and script helpers for scene tests. The sprites sit on the "_null_"
// texture, so they load and animate without a display:
//   box    10 x 20, pivot at its centre, a collision circle of radius 4 at its centre
//   timer  a one-shot of 0.5 s
//   walk   three frames of 0.1 s (box, timer, box)
// Probe(scene, name) is a SceneObject that appends "<name> <event>" to ::event_log for each
// callback, and "<name>><other name>" for a collision, then calls ::hook(that text) when a
// test has set one; events() returns them joined by commas and forgets them.
class SceneScriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensure_singletons();
        ASSERT_TRUE(vm_.run(R"(
            ::g_texture_defs.blank <- { _special_ = "_null_" };
            ::g_sprite_defs.box <- { texture = "blank", rect = [0, 0, 10, 20], pivot = "center",
                                     ccircle = [5, 10, 4] };
            ::g_sprite_defs.timer <- { texture = "blank", rect = [0, 0, 4, 4], duration = 0.5 };
            ::g_sprite_defs.walk <- { frames = ["box", "timer", "box"], duration = 0.3 };
            ::event_log <- [];
            ::hook <- null;
            class ::Probe extends ::SceneObject {
                name = null;
                constructor(scene, probe_name) {
                    base.constructor();
                    name = probe_name;
                    if (scene != null) set_scene(scene);
                }
                function note(what) {
                    ::event_log.append(what);
                    if (::hook != null) ::hook(what);
                }
                function on_move_end() { note(name + " move"); }
                function on_rotate_end() { note(name + " rotate"); }
                function on_fade_alpha_end() { note(name + " fade"); }
                function on_out_of_area() { note(name + " area"); }
                function on_animation_end() { note(name + " animation"); }
                function on_collision(other) { note(name + ">" + other.name); }
            }
            function events() {
                local text = ::event_log.reduce(@(a, b) a + "," + b);
                ::event_log.clear();
                return text == null ? "" : text;
            }
            // Numbers rounded to 4 decimals, vectors as "x y".
            function show(v) {
                if (typeof v == "array") return v.map(show).reduce(@(a, b) a + " " + b);
                if (typeof v == "float") return format("%g", floor(v * 10000 + 0.5) / 10000.0);
                return v.tostring();
            }
        )"));
    }

    // What the body of a function returns, shown as show() does.
    std::string run(const std::string& body) {
        return vm_.eval_string("return show((function() {" + body + "})());");
    }

    ScriptVm vm_;
};

}  // namespace tarn::test
