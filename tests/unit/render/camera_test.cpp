#include "render/camera.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "core/platform_state.hpp"
#include "drawing_fixture.hpp"
#include "support/script_vm.hpp"

namespace tarn {
namespace {

using test::color_near;

constexpr float kTolerance = 1e-4f;

template <std::size_t N>
void expect_near(const Vec<N>& actual, const Vec<N>& expected, const std::string& what) {
    for (std::size_t i = 0; i < N; ++i)
        EXPECT_NEAR(actual[i], expected[i], kTolerance) << what << ", component " << i;
}

// A quarter turn on each side of the viewing direction (tan = 1) on a 200 x 100 viewport.
ObjectRef<Camera> wide_camera() {
    ObjectRef<Camera> camera(new Camera);
    camera->set_viewport_size({200, 100});
    camera->set_fov_angles({0.25f, 0.25f});
    return camera;
}

ObjectRef<Camera> orthographic_camera() {
    ObjectRef<Camera> camera(new Camera);
    camera->set_viewport_size({200, 100});
    camera->set_canvas_size({40, 20});
    camera->set_orthographic(1);
    return camera;
}

// Normalised device coordinates of a camera-space point.
Vec3 project(Camera& camera, const Vec3& p) {
    const Matrix4& m = camera.projection();
    std::array<float, 4> clip{};
    for (int r = 0; r < 4; ++r)
        clip[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r];
    return {clip[0] / clip[3], clip[1] / clip[3], clip[2] / clip[3]};
}

TEST(Camera, FieldOfViewFollowsTheAspectRatioWhenOneAngleIsZero) {
    struct Case {
        Vec2 viewport, given, stored;
    };
    const Case cases[] = {
        {{1024, 512}, {0.25f, 0.0f}, {0.25f, 0.147584f}},
        {{1024, 512}, {0.0f, 0.25f}, {0.352416f, 0.25f}},
        {{512, 512}, {0.2f, -1.0f}, {0.2f, 0.2f}},
        {{1024, 512}, {0.2f, 0.1f}, {0.2f, 0.1f}},
    };
    for (const Case& c : cases) {
        Camera camera;
        camera.set_viewport_size(c.viewport);
        camera.set_fov_angles(c.given);
        expect_near(camera.fov_angles(), c.stored, "fov");
    }
}

TEST(Camera, ProjectionLooksAlongYWithZUp) {
    struct Case {
        const char* name;
        bool orthographic;
        Vec3 camera_point, device_point;
    };
    const Case cases[] = {
        {"straight ahead on the near plane", false, {0, 0.1f, 0}, {0, 0, -1}},
        {"straight ahead on the far plane", false, {0, 1000, 0}, {0, 0, 1}},
        {"right edge", false, {10, 10, 0}, {1, 0, 0.980198f}},
        {"top edge", false, {0, 10, 10}, {0, 1, 0.980198f}},
        {"bottom-left corner", false, {-5, 5, -5}, {-1, -1, 0.960196f}},
        {"orthographic right edge", true, {20, 50, 0}, {1, 0, -0.900190f}},
        {"orthographic top edge", true, {0, 0.1f, 10}, {0, 1, -1}},
    };
    for (const Case& c : cases) {
        ObjectRef<Camera> camera = c.orthographic ? orthographic_camera() : wide_camera();
        expect_near(project(*camera, c.camera_point), c.device_point, c.name);
    }
}

TEST(Camera, ScreenPointsGoToCameraSpaceWithScreenUpAsZ) {
    struct Case {
        const char* name;
        bool orthographic;
        Vec2 viewport_position, screen;
        float distance;
        Vec3 eye;
    };
    const Case cases[] = {
        {"centre", false, {0, 0}, {100, 50}, 10, {0, 10, 0}},
        {"top-left", false, {0, 0}, {0, 0}, 10, {-10, 10, 10}},
        {"bottom-right", false, {0, 0}, {200, 100}, 4, {4, 4, -4}},
        {"offset viewport", false, {50, 20}, {150, 70}, 10, {0, 10, 0}},
        {"orthographic top-left", true, {0, 0}, {0, 0}, 3, {-20, 3, 10}},
        {"orthographic centre right", true, {0, 0}, {200, 50}, 7, {20, 7, 0}},
    };
    for (const Case& c : cases) {
        ObjectRef<Camera> camera = c.orthographic ? orthographic_camera() : wide_camera();
        camera->set_viewport_position(c.viewport_position);
        expect_near(camera->screen_to_eye(c.screen, c.distance), c.eye, c.name);
    }
}

TEST(Camera, RaysStartOnTheNearPlaneAndTurnWithTheCamera) {
    const float s = std::sqrt(0.5f);
    struct Case {
        const char* name;
        bool orthographic;
        Quaternion orientation;
        Vec2 clip;
        bool eye_space;
        CameraRay ray;
    };
    const Case cases[] = {
        {"eye space, perspective",
         false,
         kIdentityQuaternion,
         {1, -0.5f},
         true,
         {{0.1f, 0.1f, -0.05f}, {1, 1, -0.5f}}},
        {"world, perspective, looking ahead",
         false,
         kIdentityQuaternion,
         {0, 0},
         false,
         {{1, 2.1f, 3}, {0, 1, 0}}},
        {"world, perspective, turned left",
         false,
         {0, 0, s, s},
         {0, 0},
         false,
         {{0.9f, 2, 3}, {-1, 0, 0}}},
        {"world, perspective, corner",
         false,
         kIdentityQuaternion,
         {1, 1},
         false,
         {{1.1f, 2.1f, 3.1f}, {1 / std::sqrt(3.0f), 1 / std::sqrt(3.0f), 1 / std::sqrt(3.0f)}}},
        {"eye space, orthographic",
         true,
         kIdentityQuaternion,
         {1, -1},
         true,
         {{20, 0.1f, -10}, {0, 1, 0}}},
        {"world, orthographic, turned left",
         true,
         {0, 0, s, s},
         {1, 0},
         false,
         {{0.9f, 22, 3}, {-1, 0, 0}}},
    };
    for (const Case& c : cases) {
        ObjectRef<Camera> camera = c.orthographic ? orthographic_camera() : wide_camera();
        camera->set_position({1, 2, 3});
        camera->set_orientation(c.orientation);
        const CameraRay ray = camera->ray(c.clip, c.eye_space);
        expect_near(ray.origin, c.ray.origin, std::string(c.name) + ": origin");
        expect_near(ray.direction, c.ray.direction, std::string(c.name) + ": direction");
    }
}

TEST(Camera, PixelSizesGrowWithDepthOnlyInPerspective) {
    struct Case {
        const char* name;
        bool orthographic;
        Vec3 point;
        Vec2 size;
    };
    const Case cases[] = {
        {"perspective, depth 10", false, {1, 12, 3}, {0.1f, 0.2f}},
        {"perspective, depth 10 off axis", false, {50, 12, -40}, {0.1f, 0.2f}},
        {"perspective, depth 1", false, {1, 3, 3}, {0.01f, 0.02f}},
        {"orthographic", true, {1, 12, 3}, {0.2f, 0.2f}},
        {"orthographic, other depth", true, {1, 500, 3}, {0.2f, 0.2f}},
    };
    for (const Case& c : cases) {
        ObjectRef<Camera> camera = c.orthographic ? orthographic_camera() : wide_camera();
        camera->set_position({1, 2, 3});
        expect_near(Vec2{camera->pixel_size_x(c.point), camera->pixel_size_y(c.point)}, c.size,
                    c.name);
    }
}

TEST(Camera, ViewMatrixUndoesThePoseAndFollowsItsChanges) {
    const float s = std::sqrt(0.5f);
    Camera camera;
    expect_near(transform_point(camera.view_matrix(), {1, 2, 3}), Vec3{1, 2, 3}, "identity pose");
    camera.set_position({1, 2, 3});
    camera.set_orientation({0, 0, s, s});
    const Matrix4& view = camera.view_matrix();
    expect_near(transform_point(view, {1, 2, 3}), Vec3{0, 0, 0}, "the camera's own position");
    expect_near(transform_point(view, {0, 2, 3}), Vec3{0, 1, 0}, "a point ahead");
    expect_near(transform_point(view, {1, 2, 5}), Vec3{0, 0, 2}, "a point above");
    expect_near(transform_point(camera.camera_matrix(), {0, 1, 0}), Vec3{0, 2, 3},
                "camera to world");
    camera.set_position({0, 0, 0});
    expect_near(transform_point(camera.view_matrix(), {-1, 0, 0}), Vec3{0, 1, 0}, "after moving");
}

class CameraScript : public ::testing::Test {
protected:
    void SetUp() override { test::ensure_singletons(); }
    test::ScriptVm vm_;
};

TEST_F(CameraScript, NewCameraDefaultsAndAccessors) {
    EXPECT_EQ(vm_.eval_string(R"(
        local c = Camera();
        local p = c.get_position(), o = c.get_orientation();
        return c.get_near_plane() + " " + c.get_far_plane() + " " + p.len() + ":" + p[0] + p[1] +
            p[2] + " " + o[0] + o[1] + o[2] + o[3];
    )"),
              "0.1 1000 3:000 0001");
    EXPECT_EQ(vm_.eval_string(R"(
        local c = Camera();
        c.set_near_plane(1);
        c.set_far_plane(50.5);
        c.set_position([1, 2, 3]);
        c.set_orientation(0, 0, 2, 0);
        local p = c.get_position(), o = c.get_orientation();
        return typeof c.get_near_plane() + " " + c.get_near_plane() + " " + c.get_far_plane() +
            " " + p[0] + p[1] + p[2] + " " + o[0] + o[1] + o[2] + o[3];
    )"),
              "float 1 50.5 123 0020");
}

TEST_F(CameraScript, ScreenPointsThroughTheScriptApi) {
    platform_state().logical_width = 400;
    platform_state().logical_height = 400;
    EXPECT_EQ(vm_.eval_string(R"(
        local c = Camera();
        c.set_viewport_position(7, 3);
        c.set_viewport_size([200, 100]);
        c.fit_viewport_to_screen();
        c.set_fov_angles(0.25, 0);
        local centre = c.screen_to_eye([200, 200], 10);
        local corner = c.screen_to_eye(0, 100, 2);
        return centre[0] + "," + centre[1] + "," + centre[2] + " " + corner[0] + "," + corner[1] +
            "," + corner[2];
    )"),
              "0,10,0 -2,2,1");
}

TEST_F(CameraScript, ReportsWrongArguments) {
    struct Case {
        const char* code;
        const char* error;
    };
    const Case cases[] = {
        {"Camera.get_position.call(Time())", "Expecting Camera"},
        {"Camera.set_near_plane.call(View2d(), 1.0)", "Expecting Camera"},
        {"Camera().screen_to_eye([1, 2], null)", "Expecting float."},
        {"Camera().screen_to_eye([1, 2])", "Expecting float."},
        {"Camera().set_position([1, 2])", "Vector array doesn't have right size."},
        {"Camera().set_orientation(1, 2, 3)", "Expecting numeric."},
        {"Camera().set_canvas_size([1, \"a\"])", "Vector array element is not numeric."},
        {"Camera().set_viewport_size([1, 2, 3])", "Vector array doesn't have right size."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vm_.error_of(c.code), c.error) << c.code;
    for (const char* refused :
         {"Camera().set_viewport_position([1, 2])", "Camera().set_fov_angles([0.2, 0.1])",
          "Camera().set_near_plane(\"1\")", "Camera().set_far_plane()"}) {
        EXPECT_NE(vm_.error_of(refused), "<no error>") << refused;
    }
}

class CameraDrawing : public test::DrawingTest {
protected:
    // One frame drawing a red square in camera space at forward distance 10, from (x0, z0) to
    // (x1, z1), through camera on green.
    void draw_through(Camera& camera, float x0, float z0, float x1, float z1) {
        clear_frame({0.0f, 1.0f, 0.0f});
        renderer_.begin_frame();
        renderer_.bind_window();
        camera.apply(renderer_, test::GlWindow::kSize);
        ASSERT_EQ(renderer_.mode(), DrawMode::kMode3d);
        glDisable(GL_TEXTURE_2D);
        glColor3f(1.0f, 0.0f, 0.0f);
        glBegin(GL_QUADS);
        glVertex3f(x0, 10.0f, z0);
        glVertex3f(x1, 10.0f, z0);
        glVertex3f(x1, 10.0f, z1);
        glVertex3f(x0, 10.0f, z1);
        glEnd();
        glEnable(GL_TEXTURE_2D);
        renderer_.end_frame();
    }
};

// The window is 64 x 64; pixels are probed at the centre of each 16-pixel cell.
TEST_F(CameraDrawing, SquaresLandWhereTheProjectionPutsThem) {
    struct Case {
        const char* name;
        Vec2 viewport_position, viewport_size;
        std::array<float, 4> square;   // x0, z0, x1, z1 in camera space
        std::array<int, 4> red_cells;  // first and last cell column, first and last cell row
    };
    const Case cases[] = {
        {"upper right of the whole window", {0, 0}, {64, 64}, {0, 0, 10, 10}, {2, 3, 0, 1}},
        {"lower left of the whole window", {0, 0}, {64, 64}, {-10, -10, 0, 0}, {0, 1, 2, 3}},
        {"upper right of a bottom-left viewport", {0, 32}, {32, 32}, {0, 0, 10, 10}, {1, 1, 2, 2}},
        {"left half of a top-right viewport", {32, 0}, {32, 32}, {-10, -10, 0, 10}, {2, 2, 0, 1}},
    };
    for (const Case& c : cases) {
        ObjectRef<Camera> camera(new Camera);
        camera->set_viewport_position(c.viewport_position);
        camera->set_viewport_size(c.viewport_size);
        camera->set_fov_angles({0.25f, 0.25f});
        draw_through(*camera, c.square[0], c.square[1], c.square[2], c.square[3]);
        for (int cy = 0; cy < 4; ++cy) {
            for (int cx = 0; cx < 4; ++cx) {
                const bool red = cx >= c.red_cells[0] && cx <= c.red_cells[1] &&
                                 cy >= c.red_cells[2] && cy <= c.red_cells[3];
                EXPECT_TRUE(
                    color_near(pixel(cx * 16 + 8, cy * 16 + 8),
                               red ? std::array<int, 3>{255, 0, 0} : std::array<int, 3>{0, 255, 0}))
                    << c.name << ": cell " << cx << ", " << cy;
            }
        }
    }
}

// A UI drawn after a scene: the scene's last quads are still in the batch when the camera takes
// over, and must land where the 2D view put them.
TEST_F(CameraDrawing, QuadsStillBatchedAreDrawnThroughTheViewTheyWereMadeFor) {
    clear_frame({0.0f, 1.0f, 0.0f});
    renderer_.begin_frame();
    renderer_.bind_window();
    renderer_.set_mode(DrawMode::kBatch2d);
    ASSERT_TRUE(quad(red_.get(), 0, 0, 32, 64));
    ObjectRef<Camera> camera(new Camera);
    camera->set_viewport_size({64, 64});
    camera->apply(renderer_, test::GlWindow::kSize);
    renderer_.end_frame();
    EXPECT_TRUE(color_near(pixel(8, 32), {255, 0, 0}));
    EXPECT_TRUE(color_near(pixel(56, 32), {0, 255, 0}));
}

}  // namespace
}  // namespace tarn
