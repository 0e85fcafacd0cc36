#include "render/view2d.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

#include "core/platform_state.hpp"
#include "drawing_fixture.hpp"
#include "support/script_vm.hpp"

namespace tarn {
namespace {

using test::color_near;

struct ViewSetup {
    Vec2 canvas, viewport_position, viewport_size;
    bool has_camera;
    Vec2 camera;
};

ObjectRef<View2d> make_view(const ViewSetup& setup) {
    ObjectRef<View2d> view(new View2d);
    view->set_canvas_size(setup.canvas);
    view->set_viewport_position(setup.viewport_position);
    view->set_viewport_size(setup.viewport_size);
    if (setup.has_camera)
        view->set_camera_position(setup.camera);
    return view;
}

void expect_near(const Vec2& actual, const Vec2& expected, const char* what) {
    EXPECT_NEAR(actual[0], expected[0], 1e-3f) << what;
    EXPECT_NEAR(actual[1], expected[1], 1e-3f) << what;
}

TEST(View2d, MapsScreenPointsToCanvasPointsAndBack) {
    struct Case {
        const char* name;
        ViewSetup setup;
        Vec2 screen, canvas;
    };
    const Case cases[] = {
        {"full window, default camera: top-left",
         {{800, 600}, {0, 0}, {800, 600}, false, {}},
         {0, 0},
         {0, 0}},
        {"full window, default camera: centre",
         {{800, 600}, {0, 0}, {800, 600}, false, {}},
         {400, 300},
         {400, 300}},
        {"camera at the origin centres it",
         {{800, 600}, {0, 0}, {800, 600}, true, {0, 0}},
         {400, 300},
         {0, 0}},
        {"camera at the origin, top-left",
         {{800, 600}, {0, 0}, {800, 600}, true, {0, 0}},
         {0, 0},
         {-400, -300}},
        {"offset half-size viewport scales by two",
         {{800, 600}, {100, 50}, {400, 300}, false, {}},
         {500, 350},
         {800, 600}},
        {"virtual resolution smaller than the viewport",
         {{320, 240}, {0, 0}, {640, 480}, true, {10, 20}},
         {640, 0},
         {170, -100}},
        {"y grows downward in both",
         {{100, 100}, {0, 0}, {200, 200}, false, {}},
         {0, 200},
         {0, 100}},
    };
    for (const Case& c : cases) {
        ObjectRef<View2d> view = make_view(c.setup);
        expect_near(view->screen_to_canvas(c.screen), c.canvas, c.name);
        expect_near(view->canvas_to_screen(c.canvas), c.screen, c.name);
    }
}

TEST(View2d, FittingScalesToTheScreenKeepingAspectAndCentring) {
    struct Case {
        Vec2 viewport_size, screen;
        bool fit;
        Vec2 position, size;
    };
    const Case cases[] = {
        {{400, 300}, {1024, 768}, true, {0, 0}, {1024, 768}},
        {{400, 400}, {1024, 768}, true, {128, 0}, {768, 768}},
        {{1000, 200}, {500, 500}, true, {0, 200}, {500, 100}},
        {{200, 100}, {1024, 768}, false, {412, 334}, {200, 100}},
        {{0, 0}, {1024, 768}, true, {512, 384}, {0, 0}},  // no aspect ratio: only centred
    };
    for (const Case& c : cases) {
        View2d view;
        view.set_viewport_position({7, 9});
        view.set_viewport_size(c.viewport_size);
        if (c.fit)
            view.fit_viewport_to_screen(c.screen[0], c.screen[1]);
        else
            view.center_viewport_on_screen(c.screen[0], c.screen[1]);
        expect_near(view.viewport_position(), c.position, "position");
        expect_near(view.viewport_size(), c.size, "size");
    }
}

TEST(View2d, WildViewportValuesBecomeWholePixelsGlAccepts) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::pair<float, int> cases[] = {
        {10.7f, 10}, {-0.5f, 0}, {nan, 0}, {1e20f, 1 << 30}, {-1e20f, -(1 << 30)}};
    for (const auto& [value, pixels] : cases)
        EXPECT_EQ(to_whole_pixels(value), pixels) << value;
}

// Every setter must reach mappings that were already built once.
TEST(View2d, SettersRebuildMatricesAlreadyInUse) {
    struct Case {
        const char* name;
        void (*change)(View2d&);
        Vec2 canvas_of_probe;  // where screen (100, 100) lands afterwards
    };
    const Case cases[] = {
        {"viewport size",
         [](View2d& v) {
             v.set_viewport_size({200, 200});
         },
         {0, 0}},
        {"viewport position",
         [](View2d& v) {
             v.set_viewport_position({-100, -100});
         },
         {150, 150}},
        {"larger canvas",
         [](View2d& v) {
             v.set_canvas_size({200, 200});
         },
         {100, 100}},
        {"smaller canvas",
         [](View2d& v) {
             v.set_canvas_size({50, 50});
         },
         {25, 25}},
        {"camera position",
         [](View2d& v) {
             v.set_camera_position({10, 20});
         },
         {60, 70}},
        {"fit to screen", [](View2d& v) { v.fit_viewport_to_screen(200, 100); }, {0, 50}},
        {"centre on screen", [](View2d& v) { v.center_viewport_on_screen(300, 300); }, {-50, -50}},
    };
    for (const Case& c : cases) {
        View2d view;
        view.set_canvas_size({100, 100});
        view.set_viewport_size({100, 100});
        view.set_camera_position({0, 0});
        expect_near(view.screen_to_canvas({100, 100}), {50, 50}, c.name);
        expect_near(view.canvas_to_screen({50, 50}), {100, 100}, c.name);
        c.change(view);
        expect_near(view.screen_to_canvas({100, 100}), c.canvas_of_probe, c.name);
        expect_near(view.canvas_to_screen(c.canvas_of_probe), {100, 100}, c.name);
    }
}

TEST(View2d, DefaultCameraFollowsTheCanvasCentre) {
    View2d view;
    view.set_canvas_size({100, 100});
    view.set_viewport_size({100, 100});
    expect_near(view.screen_to_canvas({50, 50}), {50, 50}, "before");
    view.set_canvas_size({200, 100});
    expect_near(view.screen_to_canvas({50, 50}), {100, 50}, "after a new canvas size");
}

class View2dScript : public ::testing::Test {
protected:
    test::ScriptVm vm_;
};

TEST_F(View2dScript, ConvertsThroughTheScriptApi) {
    test::ensure_singletons();
    platform_state().logical_width = 1024;
    platform_state().logical_height = 768;
    EXPECT_EQ(vm_.eval_string(R"(
        local v = View2d();
        v.set_virtual_resolution([800, 600]);
        v.set_viewport_size(400, 400);
        v.fit_viewport_to_screen();
        local s = v.canvas_to_screen([400, 300]);
        local c = v.screen_to_canvas(128, 0);
        local w = View2d();
        w.set_canvas_size(800, 600);
        w.set_viewport_size([200, 100]);
        w.center_viewport_on_screen();
        w.set_camera_position([0, 0]);
        local d = w.screen_to_canvas([412, 334]);
        return s[0] + "," + s[1] + " " + c[0] + "," + c[1] + " " + d[0] + "," + d[1];
    )"),
              "512,384 0,0 -400,-300");
}

TEST_F(View2dScript, ReportsWrongArguments) {
    struct Case {
        const char* code;
        const char* error;
    };
    const Case cases[] = {
        {"View2d.set_viewport_size.call(Time(), [1, 2])", "Expecting View2d"},
        {"View2d.screen_to_canvas.call(Time(), [1, 2])", "Expecting View2d"},
        {"View2d.fit_viewport_to_screen.call(Time())", "Expecting View2d"},
        {"View2d().set_canvas_size([1])", "Vector array doesn't have right size."},
        {"View2d().set_camera_position([1, \"a\"])", "Vector array element is not numeric."},
        {"View2d().canvas_to_screen(1)", "Expecting numeric."},
        {"View2d().set_viewport_position()", "Expecting numeric."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vm_.error_of(c.code), c.error) << c.code;
    EXPECT_NE(vm_.error_of("View2d().fit_viewport_to_screen(1)"), "<no error>")
        << "the method takes no arguments";
}

class View2dDrawing : public test::DrawingTest {
protected:
    // One frame drawing a red square from canvas (x0, y0) to (x1, y1) through view on green.
    void draw_through(View2d& view, const std::array<float, 4>& square,
                      bool use_orientation = false) {
        clear_frame({0.0f, 1.0f, 0.0f});
        renderer_.begin_frame();
        renderer_.bind_window();
        view.apply(renderer_, test::GlWindow::kSize, test::GlWindow::kSize, use_orientation, true);
        ASSERT_EQ(renderer_.mode(), DrawMode::kBatch2d);
        ASSERT_TRUE(quad(red_.get(), square[0], square[1], square[2], square[3]));
        renderer_.end_frame();
    }

    // Only the 16 x 16 cell (cx, cy) of the 64 x 64 window is red.
    void expect_red_cell(std::array<int, 2> red_cell, const char* name) {
        for (int cy = 0; cy < 4; ++cy) {
            for (int cx = 0; cx < 4; ++cx) {
                const bool red = cx == red_cell[0] && cy == red_cell[1];
                EXPECT_TRUE(
                    color_near(pixel(cx * 16 + 8, cy * 16 + 8),
                               red ? std::array<int, 3>{255, 0, 0} : std::array<int, 3>{0, 255, 0}))
                    << name << ": cell " << cx << ", " << cy;
            }
        }
    }
};

// The window is 64 x 64; pixels are probed at the centre of each 16-pixel cell.
TEST_F(View2dDrawing, QuadsLandWhereTheMappingPutsThem) {
    struct Case {
        const char* name;
        ViewSetup setup;
        std::array<float, 4> quad;
        std::array<int, 2> red_cell;  // the one 16 x 16 cell the quad covers
    };
    const Case cases[] = {
        {"virtual 4x4 canvas on the whole window",
         {{4, 4}, {0, 0}, {64, 64}, false, {}},
         {1, 2, 2, 3},
         {1, 2}},
        {"camera at the origin", {{4, 4}, {0, 0}, {64, 64}, true, {0, 0}}, {0, -2, 1, -1}, {2, 0}},
        {"viewport in the top-right quarter",
         {{100, 100}, {32, 0}, {32, 32}, false, {}},
         {50, 50, 100, 100},
         {3, 1}},
        {"viewport in the bottom-left quarter",
         {{2, 2}, {0, 32}, {32, 32}, true, {0, 0}},
         {-1, -1, 0, 0},
         {0, 2}},
    };
    for (const Case& c : cases) {
        ObjectRef<View2d> view = make_view(c.setup);
        draw_through(*view, c.quad);
        EXPECT_EQ(renderer_.viewport_size(),
                  (std::array<int, 2>{static_cast<int>(c.setup.viewport_size[0]),
                                      static_cast<int>(c.setup.viewport_size[1])}))
            << c.name;
        expect_red_cell(c.red_cell, c.name);
    }
}

// The window turned by the orientation: the canvas's top-left cell goes where scripts see the
// top-left corner; while turning between the two sideways orientations the picture starts half
// a turn away.
TEST_F(View2dDrawing, OrientationTurnsThePictureAndItsViewport) {
    struct Case {
        const char* name;
        int orientation, previous;
        float timer;
        ViewSetup setup;
        std::array<float, 4> square;
        std::array<int, 2> red_cell;
    };
    const ViewSetup whole{{4, 4}, {0, 0}, {64, 64}, false, {}};
    const ViewSetup quarter{{2, 2}, {0, 0}, {32, 32}, false, {}};
    const Case cases[] = {
        {"upright", 0, 0, 0, whole, {0, 0, 1, 1}, {0, 0}},
        {"upside down", 1, 0, 0, whole, {0, 0, 1, 1}, {3, 3}},
        {"turned left", 2, 0, 0, whole, {0, 0, 1, 1}, {0, 3}},
        {"turned right", 3, 0, 0, whole, {0, 0, 1, 1}, {3, 0}},
        {"upside down, quarter viewport", 1, 0, 0, quarter, {1, 0, 2, 1}, {2, 3}},
        {"turned left, quarter viewport", 2, 0, 0, quarter, {1, 0, 2, 1}, {0, 2}},
        {"turned right, quarter viewport", 3, 0, 0, quarter, {1, 0, 2, 1}, {3, 1}},
        {"turn from left to right begins", 3, 2, 0.5f, whole, {0, 0, 1, 1}, {0, 3}},
        {"turn from right to left begins", 2, 3, 0.5f, whole, {0, 0, 1, 1}, {3, 0}},
        {"turn from left to right ends", 3, 2, 0.001f, whole, {0, 0, 1, 1}, {3, 0}},
        {"turn from upright does not flip", 3, 0, 0.5f, whole, {0, 0, 1, 1}, {3, 0}},
    };
    Platform& platform = platform_state();
    for (const Case& c : cases) {
        platform.orientation = c.orientation;
        platform.previous_orientation = c.previous;
        platform.orientation_timer = c.timer;
        ObjectRef<View2d> view = make_view(c.setup);
        draw_through(*view, c.square, true);
        expect_red_cell(c.red_cell, c.name);
    }
    // Without use_orientation the platform's turn is ignored.
    platform.orientation = 1;
    platform.orientation_timer = 0;
    ObjectRef<View2d> view = make_view(whole);
    draw_through(*view, {0, 0, 1, 1});
    expect_red_cell({0, 0}, "orientation not used");
    platform.orientation = 0;
    platform.previous_orientation = 0;
}

}  // namespace
}  // namespace tarn
