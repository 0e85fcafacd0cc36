#include <gmock/gmock.h>

#include "support/log_capture.hpp"
#include "unit/ui/ui_script_fixture.hpp"

namespace tarn::test {
namespace {

using UiWidgetTest = UiScriptTest;

// A child added to a parent of a reference size, then the parent resized.
TEST_F(UiWidgetTest, StretchLayoutMovesAndResizesChildren) {
    struct Case {
        const char* parent_reference;
        const char* parent_size;
        const char* child_frame;
        const char* expected;  // child position and size
    };
    const Case cases[] = {
        {"[100, 100]", "[200, 100]", "[10, 0, 20, 10]", "20 0 40 10"},
        {"[100, 50]", "[100, 100]", "[0, 10, 50, 20]", "0 20 50 40"},
        {"[100, 100]", "[50, 50]", "[10, 10, 20, 20]", "5 5 10 10"},
        {"[100, 100]", "[0, 0]", "[10, 10, 20, 20]", "0 0 0 0"},
        // The child fills more than the reference: nothing flexible, left alone.
        {"[0, 0]", "[50, 50]", "[0, 0, 0, 0]", "0 0 0 0"},
        {"[10, 10]", "[30, 30]", "[0, 0, 10, 10]", "0 0 30 30"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(std::string("local p = UIWidget(); p.init_frame_size(") + c.parent_reference +
                      "); local w = UIWidget({ frame = " + c.child_frame +
                      " }); p.add_widget(w); p.set_frame_size(" + c.parent_size +
                      "); return cat(w.get_frame_position(), w.get_frame_size());"),
                  c.expected)
            << c.child_frame << " in " << c.parent_reference << " -> " << c.parent_size;
    }
}

TEST_F(UiWidgetTest, ResizingRunsLayoutOnlyOnChangeAndStretchesGrandchildren) {
    EXPECT_EQ(run(R"(
        ::probe_layout = true;
        local p = Probe("p", { size = [10, 10] });
        p.set_frame_size([10, 10]);
        p.set_frame_size([20, 10]);
        p.layout();
        return events();)"),
              "p layout,p layout,p layout");
    // Without an override the default layout recurses through each child's resize.
    EXPECT_EQ(run(R"(
        local p = UIWidget(); p.init_frame_size([100, 100]);
        local c = UIWidget(); c.init_frame_size([100, 100]);
        local g = UIWidget({ frame = [50, 50, 50, 50] });
        p.add_widget(c.add_widget(g));
        p.set_frame_size([200, 200]);
        return cat(g.get_frame_position(), g.get_frame_size());)"),
              "100 100 100 100");
}

TEST_F(UiWidgetTest, ConstructorTableKeys) {
    struct Case {
        const char* table;
        const char* expected;  // position, size, disabled
    };
    const Case cases[] = {
        {"{ position = [1, 2] }", "1 2 0 0 false"},
        {"{ size = [3, 4] }", "0 0 3 4 false"},
        {"{ frame = [1, 2, 3, 4] }", "1 2 3 4 false"},
        {"{ frame = [5, 6] }", "0 0 5 6 false"},
        {"{ position = [7, 8], frame = [5, 6, 1] }", "5 6 1 0 false"},
        {"{ position = [1, \"a\"], size = 3 }", "1 0 0 0 false"},
        {"{ frame = \"x\", position = [9] }", "0 0 0 0 false"},
        {"{ hidden = 1, disabled = true, void = 0 }", "0 0 0 0 true"},
        {"null", "0 0 0 0 false"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(
            run(std::string("local w = UIWidget(") + c.table +
                "); return cat(w.get_frame_position(), w.get_frame_size(), w.is_disabled());"),
            c.expected)
            << c.table;
    }
}

TEST_F(UiWidgetTest, FlagsFromInitAndAncestors) {
    EXPECT_EQ(run(R"(
        local p = UIWidget({ disabled = true });
        local c = UIWidget();
        p.add_widget(c);
        local before = c.is_disabled();
        p.init({ disabled = false });
        return [before, c.is_disabled(), p.is_disabled()];)"),
              "true false false");
    EXPECT_EQ(widget("UIWidget({ hidden = true, void = 1 })")->flags(),
              UIWidget::kFlexAll | UIWidget::kHidden | UIWidget::kVoid);
    EXPECT_EQ(
        widget("(function() { local w = UIWidget({ hidden = true }); w.init({ hidden = null }); "
               "return w; })()")
            ->flags(),
        UIWidget::kFlexAll);
}

// A script subclass's init runs instead of the native one, with the constructor's table; the
// frame keys follow it.
TEST_F(UiWidgetTest, ScriptInitOverride) {
    EXPECT_EQ(run(R"(
        class Framed extends UIWidget {
            seen = null;
            function init(t) { seen = t == null ? "null" : t.tag; base.init(t); }
        }
        local a = Framed({ tag = "x", hidden = true, size = [2, 3] });
        local b = Framed();
        return [a.seen, a.get_frame_size()[1], b.seen];)"),
              "x 3 null");
}

TEST_F(UiWidgetTest, ChildrenAddRemoveAndReparent) {
    EXPECT_EQ(run(R"(
        local a = UIWidget(), b = UIWidget(), c = UIWidget({ frame = [1, 2, 3, 4] });
        local chained = a.add_widget(c) == a;
        b.add_widget(c);
        a.init_frame_size_from_child_widgets();
        b.init_frame_size_from_child_widgets();
        return cat(chained, a.get_frame_size(), b.get_frame_size());)"),
              "true 0 0 4 6");
    LogCapture log;
    EXPECT_EQ(run(R"(
        local a = UIWidget(), b = UIWidget(), c = UIWidget({ size = [5, 5] });
        b.add_widget(c);
        a.remove_child_widget(c);
        b.init_frame_size_from_child_widgets();
        local kept = b.get_frame_size()[0];
        b.remove_child_widget(c);
        b.init_frame_size_from_child_widgets();
        return [kept, b.get_frame_size()[0]];)"),
              "5 0");
    EXPECT_THAT(log.lines(), ::testing::ElementsAre("Ups, invalid child widget."));
}

TEST_F(UiWidgetTest, WorldTransformFloorsPositions) {
    ASSERT_TRUE(vm_.run(R"(
        ::parent <- UIWidget({ position = [10.7, -0.5] });
        ::child <- UIWidget({ position = [0.5, 2.9] });
        parent.add_widget(child);)"));
    const Matrix4& world = widget("::child")->world_matrix();
    EXPECT_EQ(world[12], 10.0f);
    EXPECT_EQ(world[13], 1.0f);
    vm_.run("parent.set_frame_position([3.2, 4]);");
    EXPECT_EQ(widget("::child")->world_matrix()[12], 3.0f) << "moving the parent invalidates";
}

TEST_F(UiWidgetTest, ArgumentErrors) {
    struct Case {
        const char* code;
        const char* message;
    };
    const Case cases[] = {
        {"UIWidget().is_mouse_hovering(\"a\")", "Expecting integer."},
        {"UIWidget().mouse_to_local(null)", "Expecting integer."},
        {"UIWidget().add_widget(Camera())", "Expecting UIWidget"},
        {"UIWidget.get_frame_size.call(UI())", "Expecting UIWidget"},
        {"UIWidget().set_frame_position(\"a\")", "Expecting numeric."},
        {"UIWidget().set_color([1, 2, 3])", "Vector array doesn't have right size."},
        {"ui.add_widget(Camera())", "Expecting UIWidget"},
        {"ui.set_camera(UIWidget())", "Expecting Camera"},
        {"ui.update(\"a\")", "Expecting float."},
        {"ui.handle_key_down(\"a\")", "Expecting integer."},
        {"UI.render.call(UIWidget())", "Expecting UI"},
        {"ui.setup_canvas_2d([0, 0], [0, 0], [0, 0, 1])", "Vector array doesn't have right size."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vm_.error_of(c.code), c.message) << c.code;
}

// Outside a UI pointers and capture do nothing; indices outside 0..5 never match.
TEST_F(UiWidgetTest, PointerQueriesOutsideUi) {
    EXPECT_EQ(run(R"(
        local w = UIWidget({ size = [10, 10] });
        local results = cat(w.capture_mouse(0), w.release_mouse(0), w.is_any_mouse_hovering(),
                            w.mouse_to_local(0));
        ui.add_widget(w);
        results = cat(results, w.capture_mouse(6), w.capture_mouse(-1), w.is_mouse_hovering(7));
        foreach (key in [MOUSE_LEFT, MOUSE_RIGHT, TOUCH_0, TOUCH_3, KEY_A])
            results.append(w.mouse_index_from_key(key));
        return results;)"),
              "false false false 0 0 false false false 0 1 2 5 -1");
}

}  // namespace
}  // namespace tarn::test
