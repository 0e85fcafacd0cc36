#include <chrono>
#include <thread>
#include <vector>

#include "core/input.hpp"
#include "platform/synthetic_input.hpp"
#include "render/gpu_texture.hpp"
#include "render/renderer.hpp"
#include "unit/ui/ui_script_fixture.hpp"

namespace tarn::test {
namespace {

// The UI on the shared test window: its camera covers the window, a on the left half, b on the
// right half.
class UiWindowTest : public UiScriptTest, public KeyListener {
protected:
    void SetUp() override {
        window_ = GlWindow::get();
        ASSERT_NE(window_, nullptr) << "UI window tests need an X display with OpenGL";
        UiScriptTest::SetUp();
        renderer().reset_after_video_mode();
        renderer().set_window_view(GlWindow::kSize, GlWindow::kSize);
        renderer().init_gl();
        platform_state().height = GlWindow::kSize;
        ASSERT_TRUE(vm_.run(R"(
            camera.set_viewport_size([64, 64]);
            ui.setup_canvas_2d([0, 0], [0, 0], [0, 0, 0, 1]);
            ui.add_widget(Probe("a", { frame = [0, 0, 32, 64] }));
            ui.add_widget(Probe("b", { frame = [32, 0, 32, 64] }));
            ::route <- function(code) { ui.update(0); ui.handle_key_down(code); };
        )"));
    }

    void key_changed(int code, bool down) override {
        if (down)
            pressed_.push_back(code);
    }

    // Pumps the window's events until the mouse reached (x, y); false when it never did.
    bool pump_until_mouse_at(int x, int y) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            pump_events(platform_state(), *this, events_);
            if (platform_state().mouse_x == x && platform_state().mouse_y == y)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    GlWindow* window_ = nullptr;
    platform::WindowEvents events_;
    std::vector<int> pressed_;
};

// Moves and clicks made on the X display come back through the engine's input pump and reach
// the widget under the pointer through the camera's ray.
TEST_F(UiWindowTest, RealMouseInputReachesTheWidgetUnderThePointer) {
    struct Case {
        int x, y;
        int button;
        const char* expected;
    };
    const Case cases[] = {
        // The left button drives touch 0 too, which follows the mouse.
        {40, 10, key::kMouseLeft, "b down 178,b down 207"},
        {5, 60, key::kMouseRight, "a down 179"},
        {31, 30, key::kMouseLeft, "a down 178,a down 207"},
        {33, 30, key::kMouseRight, "b down 179"},
    };
    for (const Case& c : cases) {
        pressed_.clear();
        platform::warp_mouse(c.x, c.y);
        ASSERT_TRUE(pump_until_mouse_at(c.x, c.y)) << c.x << ", " << c.y;
        ASSERT_TRUE(platform::push_mouse_button(c.button, true, c.x, c.y));
        ASSERT_TRUE(platform::push_mouse_button(c.button, false, c.x, c.y));
        pump_events(platform_state(), *this, events_);
        vm_.run("events();");
        for (int code : pressed_)
            vm_.run("route(" + std::to_string(code) + ");");
        EXPECT_EQ(run("return ::event_log.filter(@(i, e) e.find(\"down\") != null)"
                      ".reduce(@(a, b) a + \",\" + b);"),
                  c.expected)
            << c.x << ", " << c.y;
    }
}

// A video-mode change replaces the GL context; the UI's batch makes itself again in the new one
// and draws there.
TEST_F(UiWindowTest, BatchSurvivesTheContextOfAVideoModeChange) {
    ASSERT_TRUE(vm_.run("ui.render();"));
    UI* ui = nullptr;
    ScriptObject value = vm_.eval("return ::ui;");
    value.push(vm_.vm());
    ui = object_at<UI>(vm_.vm(), -1);
    sq_poptop(vm_.vm());
    ASSERT_NE(ui, nullptr);
    ASSERT_TRUE(ui->batch().current());
    const GLuint before = ui->batch().index_buffer();

    // A new window system session: a new window with a new context, as a video-mode change
    // gives where the window system does not keep the context.
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    ASSERT_NE(SDL_SetVideoMode(GlWindow::kSize, GlWindow::kSize, 32, SDL_OPENGL), nullptr);
    Renderer::start_gl();
    renderer().reset_after_video_mode();
    renderer().set_window_view(GlWindow::kSize, GlWindow::kSize);
    ASSERT_FALSE(glIsBuffer(before)) << "the old context's buffers are gone";
    EXPECT_FALSE(ui->batch().current());

    ASSERT_TRUE(vm_.run("ui.render();"));
    UIBatch& batch = ui->batch();
    ASSERT_TRUE(batch.current());
    EXPECT_TRUE(glIsBuffer(batch.index_buffer()));

    ObjectRef<GpuTexture> white(new GpuTexture);
    ASSERT_TRUE(white->create_gl_texture(GpuTexture::Kind::k2d));
    const unsigned char rgb[3] = {255, 255, 255};
    white->upload_pixels({1, 1, PixelFormat::RGB8, rgb}, {});
    renderer().set_window_view(GlWindow::kSize, GlWindow::kSize);
    batch.load_transform(identity_matrix());
    UIVertex* v = batch.map_vertices();
    v[0] = {20, 0, 1, 0};
    v[1] = {0, 0, 0, 0};
    v[2] = {20, 20, 1, 1};
    v[3] = {0, 20, 0, 1};
    batch.unmap_vertices();
    batch.apply_color();
    batch.draw_quads(1, white.get());
    EXPECT_TRUE(color_near(window_->pixel(10, 10), {255, 255, 255}));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
}  // namespace tarn::test
