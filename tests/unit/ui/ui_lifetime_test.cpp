#include "unit/ui/ui_script_fixture.hpp"

namespace tarn::test {
namespace {

using UiLifetimeTest = UiScriptTest;

// Widgets that go while the UI points at them or calls them; each case ends with what the
// script saw. Run under AddressSanitizer, these also prove nothing touches a dead widget.
TEST_F(UiLifetimeTest, WidgetsDestroyedWhileHoveredCapturedOrCalled) {
    struct Case {
        const char* name;
        const char* script;
        const char* expected;
    };
    const Case cases[] = {
        {"destroyed while hovered and captured", R"(
            local w = Probe("w", { size = [50, 50] });
            ui.add_widget(w);
            at(5, 5); ui.update(0);
            w.capture_mouse(0);
            ui.remove_widget(w);
            w = null;
            ui.update(0);
            return [ui.handle_key_down(MOUSE_LEFT), events()];)",
         "false w hover 0 true,w hover 1 true,w update"},
        {"removes itself while entered", R"(
            ::keep <- Probe("w", { size = [50, 50] });
            ::hook = function(w, what) { ui.remove_widget(w); ::keep = null; };
            ui.add_widget(keep);
            at(5, 5); ui.update(0);
            ::hook = null;
            ui.update(0);
            return events();)",
         "w hover 0 true"},
        {"child removes itself in update, parent in key_down", R"(
            local p = Probe("p", { size = [50, 50] });
            p.add_widget(Probe("c", { size = [50, 50] }));
            ui.add_widget(p);
            ::hook = function(w, what) {
                if (what == "update" && w.name == "c") p.remove_child_widget(w);
                if (what == "down 178") ui.remove_widget(w);
            };
            at(5, 5); ui.update(0);
            ui.handle_key_down(MOUSE_LEFT);
            p = null;
            ::hook = null;
            ui.update(0);
            return events();)",
         "c hover 0 true,c hover 1 true,p update,c update,p down 178"},
        {"leaving widget destroys the entered one", R"(
            ::left <- Probe("l", { frame = [0, 0, 50, 50] });
            ::right <- Probe("r", { frame = [100, 0, 50, 50] });
            ui.add_widget(left); ui.add_widget(right);
            at(5, 5); ui.update(0);
            ::hook = function(w, what) {
                if (what == "hover 0 false") { ui.remove_widget(right); ::right = null; }
            };
            at(105, 5); ui.update(0);
            return [left.is_any_mouse_hovering(), events()];)",
         "false l hover 0 true,l hover 1 true,l update,r update,l hover 0 false,l hover 1 false,"
         "l update"},
        {"UI destroyed while widgets live on", R"(
            local w = Probe("w", { size = [50, 50] }), c = UIWidget({ size = [5, 5] });
            local u = UI();
            u.set_camera(camera);
            u.setup_canvas_2d([0, 0], [0, 0], [0, 0, 0, 1]);
            u.add_widget(w.add_widget(c));
            at(20, 20); u.update(0);
            w.capture_mouse(0);
            u = null;
            return cat(w.capture_mouse(0), c.release_mouse(0), w.is_mouse_hovering(0),
                       c.mouse_to_local(0), events());)",
         "false false false 0 0 w hover 0 true,w hover 1 true,w update"},
        {"parent destroyed while its child lives on", R"(
            local p = UIWidget({ size = [50, 50] }), c = UIWidget({ frame = [1, 1, 5, 5] });
            p.add_widget(c);
            ui.add_widget(p);
            ui.remove_widget(p);
            p = null;
            local q = UIWidget();
            q.add_widget(c);
            q.init_frame_size_from_child_widgets();
            return q.get_frame_size();)",
         "6 6"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(run(c.script), c.expected) << c.name;
}

// Cycles through script members: the closing VM tears the trees down in any order.
TEST_F(UiLifetimeTest, CyclesLeftForTheClosingVm) {
    ASSERT_TRUE(vm_.run(R"(
        class Holder extends UIWidget { back = null; }
        local h = Holder({ size = [10, 10] });
        local child = Holder();
        h.add_widget(child);
        child.back = h;
        h.back = ui;
        ui.add_widget(h);
        at(5, 5); ui.update(0);
        h.capture_mouse(0);
    )"));
}

}  // namespace
}  // namespace tarn::test
