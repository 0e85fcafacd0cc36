#include "unit/ui/ui_script_fixture.hpp"

namespace tarn::test {
namespace {

// Top-level widgets in this order: a (with children c and out, the latter outside a), b over
// a's lower right, hidden h (with hc), void v over behind.
class UiRootTest : public UiScriptTest {
protected:
    void SetUp() override {
        UiScriptTest::SetUp();
        ASSERT_TRUE(vm_.run(R"(
            ::a <- Probe("a", { frame = [0, 0, 100, 100] });
            ::b <- Probe("b", { frame = [50, 50, 100, 100] });
            ::c <- Probe("c", { frame = [10, 10, 20, 20] });
            ::out <- Probe("out", { frame = [150, 0, 20, 20] });
            ::h <- Probe("h", { frame = [200, 0, 50, 50], hidden = true });
            ::hc <- Probe("hc", { frame = [0, 0, 10, 10] });
            ::v <- Probe("v", { frame = [300, 0, 50, 50], void = true });
            ::behind <- Probe("behind", { frame = [300, 0, 50, 50] });
            a.add_widget(c).add_widget(out);
            h.add_widget(hc);
            foreach (w in [a, b, h, v, behind]) ui.add_widget(w);
            function hovers() {
                local text = ::event_log.filter(@(i, e) e.find("hover") != null)
                    .reduce(@(x, y) x + "," + y);
                ::event_log.clear();
                return text == null ? "" : text;
            }
        )"));
    }
};

TEST_F(UiRootTest, KeysGoToTheWidgetUnderThePointer) {
    struct Case {
        const char* call;  // at(x, y) and the routing call
        const char* expected;
    };
    const Case cases[] = {
        {"at(75, 75); return ui.handle_key_down(MOUSE_LEFT)", "true a down 178"},
        {"at(15, 15); return ui.handle_key_down(MOUSE_LEFT)", "true c down 178"},
        {"at(120, 120); return ui.handle_key_up(MOUSE_RIGHT)", "true b up 179"},
        {"at(205, 5); return ui.handle_key_down(MOUSE_LEFT)", "false "},
        {"at(305, 5); return ui.handle_key_down(MOUSE_LEFT)", "true behind down 178"},
        {"at(155, 5); return ui.handle_key_down(MOUSE_LEFT)", "false "},
        {"at(75, 75); return ui.handle_key_down(KEY_A)", "false "},
        {"at(-5, 5); return ui.handle_key_down(MOUSE_LEFT)", "false "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(run(std::string("local r = (function() {") + c.call +
                      "})(); return r + \" \" + events();"),
                  c.expected)
            << c.call;
}

TEST_F(UiRootTest, UpdateTellsHoverChangesPerPointerThenUpdatesInPreOrder) {
    EXPECT_EQ(run("at(20, 40); ui.update(0.5); return events();"),
              "a hover 0 true,a hover 1 true,a update,c update,out update,b update,h update,"
              "hc update,v update,behind update");
    EXPECT_EQ(run("at(120, 120); ui.update(1); return hovers();"),
              "a hover 0 false,b hover 0 true,a hover 1 false,b hover 1 true");
    EXPECT_EQ(run("ui.update(0); return hovers();"), "");
    EXPECT_EQ(run("return [b.is_mouse_hovering(0), b.is_mouse_hovering(1), "
                  "b.is_mouse_hovering(2), b.is_any_mouse_hovering(), a.is_any_mouse_hovering()];"),
              "true true false true false");
    EXPECT_EQ(run("at(500, 400); ui.update(0); return hovers();"),
              "b hover 0 false,b hover 1 false");
}

TEST_F(UiRootTest, CapturedPointerKeysGoToTheCapturingWidget) {
    EXPECT_EQ(run(R"(
        at(120, 120);
        local captured = a.capture_mouse(0);
        ui.handle_key_down(MOUSE_LEFT);
        ui.handle_key_down(MOUSE_RIGHT);
        b.release_mouse(0);
        at(600, 400);
        ui.handle_key_up(MOUSE_LEFT);
        a.release_mouse(0);
        at(120, 120);
        ui.handle_key_up(MOUSE_LEFT);
        return captured + " " + events();)"),
              "true a down 178,b down 179,a up 178,b up 178");
    // A captured widget that goes releases the capture.
    EXPECT_EQ(run(R"(
        local gone = Probe("gone", { frame = [0, 0, 10, 10] });
        ui.add_widget(gone);
        gone.capture_mouse(0);
        ui.remove_widget(gone);
        gone = null;
        at(120, 120);
        return [ui.handle_key_down(MOUSE_LEFT), events()];)"),
              "true b down 178");
}

TEST_F(UiRootTest, WithoutCameraNothingIsHit) {
    EXPECT_EQ(run(R"(
        local bare = UI();
        local w = Probe("w", { size = [640, 480] });
        bare.add_widget(w);
        bare.setup_canvas_2d([0, 0], [0, 0], [0, 0, 0, 1]);
        at(5, 5);
        bare.update(0);
        bare.render();
        return [bare.get_camera(), bare.handle_key_down(MOUSE_LEFT), events()];)"),
              "null false w update");
}

// A top-level widget at the UI origin reads the pointer in UI units: UI point q lands at window
// pixel position + viewport position + q - pivot + pivot, whatever the camera's pose.
TEST_F(UiRootTest, CanvasMapsUiUnitsToWindowPixels) {
    struct Case {
        const char* camera;  // statements on `camera`
        const char* canvas;  // setup_canvas_2d arguments
        const char* pointer;
        const char* expected;
    };
    const Case cases[] = {
        {"", "[10, 20], [0, 0], [0, 0, 0, 1]", "10, 20", "0 0"},
        {"", "[10, 20], [0, 0], [0, 0, 0, 1]", "11, 21", "1 1"},
        {"camera.set_viewport_position(5, 7)", "[10, 20], [0, 0], [0, 0, 0, 1]", "18, 31", "3 4"},
        {"", "[10, 20], [100, 50], [0, 0, 0, 1]", "110, 70", "100 50"},
        {"", "[10, 20], [100, 50], [0, 0, 0, 1]", "13, 24", "3 4"},
        {"camera.set_position([5, -3, 2]); camera.set_orientation([0, 0, 0.258819, 0.965926])",
         "[10, 20], [0, 0], [0, 0, 0, 1]", "13, 24", "3 4"},
        // A quarter turn about the viewing direction: UI x runs down the screen, y to the left.
        {"", "[100, 100], [0, 0], [0, 0.707107, 0, 0.707107]", "97, 105", "5 3"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(
            run(std::string("camera.set_viewport_position(0, 0); camera.set_position([0, 0, 0]);"
                            "camera.set_orientation([0, 0, 0, 1]);") +
                c.camera + "; ui.setup_canvas_2d(" + c.canvas + "); at(" + c.pointer +
                "); return a.mouse_to_local(0);"),
            c.expected)
            << c.camera << " / " << c.canvas << " / " << c.pointer;
    }
}

TEST_F(UiRootTest, RemovedWidgetsLeaveTheTree) {
    EXPECT_EQ(run(R"(
        ui.remove_widget(a);
        ui.remove_widget(a);
        at(15, 15);
        local routed = ui.handle_key_down(MOUSE_LEFT);
        return [routed, a.capture_mouse(0), c.capture_mouse(0), events()];)"),
              "false false false ");
}

}  // namespace
}  // namespace tarn::test
