#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/script_vm.hpp"
#include "ui/ui_root.hpp"
#include "ui/ui_widget.hpp"
#include "unit/render/gl_window.hpp"

namespace tarn::test {

// A VM with the engine API and a UI in front of a 640 x 480 camera whose canvas maps one UI
// unit to one window pixel from the top-left corner. Scripts point with at(x, y) (the mouse's
// window position). Probe(name, table) is a UIWidget that appends "<name> <event>" to
// ::event_log for key_down, key_up, update, hovered and layout_self (the last only when
// ::probe_layout is set), then calls ::hook(probe, event) when a test has set one; events()
// returns them joined by commas and forgets them; cat(...) splices values and arrays into one
// array.
class UiScriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensure_singletons();
        ASSERT_TRUE(vm_.run(R"(
            ::event_log <- [];
            ::hook <- null;
            ::probe_layout <- false;
            class ::Probe extends ::UIWidget {
                name = null;
                constructor(probe_name, table = null) {
                    name = probe_name;
                    base.constructor(table);
                }
                function note(what) {
                    ::event_log.append(name + " " + what);
                    if (::hook != null) ::hook(this, what);
                }
                function key_down(key) { note("down " + key); }
                function key_up(key) { note("up " + key); }
                function update(dt) { note("update"); }
                function hovered(index, entering) { note("hover " + index + " " + entering); }
                function layout_self() {
                    if (!::probe_layout) return autoresize_child_widgets();
                    note("layout");
                }
            }
            function events() {
                local text = ::event_log.reduce(@(a, b) a + "," + b);
                ::event_log.clear();
                return text == null ? "" : text;
            }
            function at(x, y) { ::System.iphone_override_mouse_position(x, y); }
            // The values, arrays spliced in.
            function cat(...) {
                local all = [];
                foreach (v in vargv) typeof v == "array" ? all.extend(v) : all.append(v);
                return all;
            }
            // Numbers rounded to 2 decimals, vectors as "x y".
            function show(v) {
                if (v == null) return "null";
                if (typeof v == "array") return v.map(show).reduce(@(a, b) a + " " + b);
                if (typeof v == "float") return format("%g", floor(v * 100 + 0.5) / 100.0);
                return v.tostring();
            }
            ::camera <- Camera();
            camera.set_viewport_size([640, 480]);
            camera.set_fov_angles(0.2, 0);
            ::ui <- UI();
            ui.set_camera(camera);
            ui.setup_canvas_2d([0, 0], [0, 0], [0, 0, 0, 1]);
        )"));
    }

    // What the body of a function returns, shown as show() does.
    std::string run(const std::string& body) {
        return vm_.eval_string("return show((function() {" + body + "})());");
    }

    // The native widget of a script expression's value, kept alive until the next call.
    UIWidget* widget(const std::string& expression) {
        held_ = vm_.eval("return " + expression + ";");
        held_.push(vm_.vm());
        UIWidget* found = object_at<UIWidget>(vm_.vm(), -1);
        sq_poptop(vm_.vm());
        return found;
    }

    ScriptVm vm_;
    ScriptObject held_;
};

}  // namespace tarn::test
