// Cost per frame of a UI of 1,000 widgets (40 panels of 24 buttons, each panel's buttons in a
// grid, the panels in a 8 x 5 grid over the window) and 200 labels on top (in the generated
// DejaVu Sans 32, each shrunk to fit its 64 x 24 frame): the stretch layout of every widget after
// the root changes size, the pointer routing of a mouse that moves every frame (hit test and hover
// update, with a script `hovered` on every button), the update walk (a script `update` on every
// panel, native updates elsewhere) and the render walk. Run it with GALLIUM_NOOP=1 for the engine's
// and the driver's share alone. Needs a display (Xvfb is fine).
//
//   bench_ui [FRAMES]
#include <GL/glew.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "app/singletons.hpp"
#include "core/platform_state.hpp"
#include "sprite_bench.hpp"
#include "ui/ui_root.hpp"
#include "ui/ui_widget.hpp"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

double cpu_ms() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

bool run(tarn::ScriptHost& host, const std::string& code, tarn::ScriptObject* result = nullptr) {
    tarn::ScriptObject closure =
        host.compile(code.c_str(), static_cast<SQInteger>(code.size()), "bench");
    return !closure.is_null() && host.call(closure, tarn::ScriptObject(), result);
}

// The tree, built by script as a game builds it.
const char* const kBuildUi = R"(
    ::g_texture_defs["fonts/sans32.png"] <- { mipmaps = false };
    ::g_font_defs.system <- { file = "fonts/sans32.fnt" };
    class Panel extends UIWidget { ticks = 0; function update(dt) { ++ticks; } }
    class Button extends UIWidget { over = 0; function hovered(i, on) { if (on) ++over; } }
    ::camera <- Camera();
    camera.set_viewport_size([640, 480]);
    ::ui <- UI();
    ui.set_camera(camera);
    ui.setup_canvas_2d([0, 0], [0, 0], [0, 0, 0, 1]);
    ::root <- UIWidget();
    root.init_frame_size([640, 480]);
    for (local p = 0; p < 40; ++p) {
        local panel = Panel({ frame = [(p % 8) * 80, (p / 8) * 96, 80, 96] });
        panel.init_frame_size([80, 96]);
        for (local b = 0; b < 24; ++b)
            panel.add_widget(Button({ frame = [(b % 4) * 20, (b / 4) * 16, 18, 14] }));
        root.add_widget(panel);
    }
    ::widgets <- 1 + 40 * 25;
    for (local i = 0; i < 200; ++i)
        root.add_widget(UILabel({ frame = [(i % 10) * 64, (i / 10) * 24, 64, 24],
                                  text = "Label " + i }));
    ::widgets += 200;
    ui.add_widget(root);
    return ::widgets;
)";

// Makes a game folder in the system's temporary folder holding the labels' font files and works
// from there, since the engine reads resources from "data" under the working folder.
bool enter_game_folder() {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path fonts = fs::temp_directory_path() / "tarn_bench_ui" / "data" / "fonts";
    fs::create_directories(fonts, error);
    for (const char* file : {"sans32.fnt", "sans32.png"})
        fs::copy_file(fs::path(TARN_BENCH_FONT_DIR) / file, fonts / file,
                      fs::copy_options::overwrite_existing, error);
    fs::current_path(fonts.parent_path().parent_path(), error);
    return !error;
}

template <typename Step>
double per_frame(int frames, Step step) {
    const double start = cpu_ms();
    for (int f = 0; f < frames; ++f)
        step(f);
    return (cpu_ms() - start) / frames;
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
    if (!enter_game_folder()) {
        std::fprintf(stderr, "no game folder for the font\n");
        return 1;
    }
    tarn::create_singletons();
    bench::SpriteBench bench;
    if (!bench.start(kWidth, kHeight))
        return 1;
    tarn::ScriptHost& host = bench.host();
    tarn::ScriptObject count;
    tarn::ScriptObject ui_value;
    tarn::ScriptObject root_value;
    if (!run(host, kBuildUi, &count) || !run(host, "return ::ui;", &ui_value) ||
        !run(host, "return ::root;", &root_value)) {
        std::fprintf(stderr, "building the UI failed\n");
        return 1;
    }
    HSQUIRRELVM vm = host.vm();
    ui_value.push(vm);
    root_value.push(vm);
    tarn::UI* ui = tarn::object_at<tarn::UI>(vm, -2);
    tarn::UIWidget* root = tarn::object_at<tarn::UIWidget>(vm, -1);
    sq_pop(vm, 2);
    tarn::Platform& platform = tarn::platform_state();
    platform.width = kWidth;
    platform.height = kHeight;

    const double layout = per_frame(frames, [&](int f) {
        root->set_frame_size(f % 2 == 0 ? tarn::Vec2{800, 600} : tarn::Vec2{640, 480});
    });
    // The mouse sweeps the window, crossing a button or a panel edge most frames.
    const double routing = per_frame(frames, [&](int f) {
        platform.mouse_fx = static_cast<float>((f * 7) % kWidth);
        platform.mouse_fy = static_cast<float>((f * 13) % kHeight);
        tarn::UIWidget* hit = ui->hit_test(0);
        ui->set_hovered(hit, 0);
        ui->set_hovered(hit, 1);
    });
    const double hit_test = per_frame(frames, [&](int f) {
        platform.mouse_fx = static_cast<float>((f * 7) % kWidth);
        ui->hit_test(0);
    });
    const double update = per_frame(frames, [&](int) { ui->update(1.0f / 60.0f); });
    tarn::Renderer& renderer = bench.renderer();
    const double render = per_frame(frames, [&](int) {
        renderer.begin_frame();
        ui->render(renderer, kHeight);
        renderer.end_frame();
        bench::SpriteBench::swap_buffers();
    });
    glFinish();
    std::printf(
        "UI of %lld widgets, per frame (processor time, %d frames): layout %.3f ms, "
        "hit test %.3f ms, pointer routing (hit test + hover) %.3f ms, update %.3f ms, "
        "render %.3f ms (%lld triangles)\n",
        static_cast<long long>(sq_objtointeger(&count.handle())), frames, layout, hit_test, routing,
        update, render, static_cast<long long>(renderer.previous_frame_triangles()));
    return 0;
}
