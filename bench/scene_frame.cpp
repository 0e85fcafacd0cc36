// Cost of a scene frame of natively driven sprite objects: Scene::update (each object moving with
// move_to, the next move started from its move-end callback) and Scene::render_2d (every object's
// quad into the renderer's batch, through a view), for 10,000 and 50,000 objects; then the
// update of 1,000 moving objects with collision circles, bits and masks, whose collision pass
// compares every pair. A counting operator new shows whether the steady state allocates. Run it
// with GALLIUM_NOOP=1 for the engine's and the driver's share alone. Needs a display (Xvfb is
// fine).
//
//   bench_scene_frame [FRAMES]
#include <GL/glew.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>
#include <random>
#include <vector>

#include "app/singletons.hpp"
#include "scene/scene.hpp"
#include "scene/scene_object.hpp"
#include "sprite_bench.hpp"

namespace {

std::size_t g_allocations = 0;

}  // namespace

void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size != 0 ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

// Processor time of this thread, so that other processes on the machine do not count.
double cpu_ms() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr float kDt = 1.0f / 60.0f;

// Sends every object that arrives somewhere else on the canvas, and counts collisions.
class Wander : public tarn::SceneCallbacks {
public:
    bool has_receiver(const tarn::SceneObject&) const override { return true; }
    void on_event(tarn::SceneObject& object, tarn::SceneEvent event) override {
        if (event == tarn::SceneEvent::kMoveEnd)
            send(object);
    }
    void on_collision(tarn::SceneObject&, tarn::SceneObject&) override { ++collisions; }

    void send(tarn::SceneObject& object) {
        object.move_to({x_(random_), y_(random_)}, speed_(random_));
    }
    tarn::Vec2 place() { return {x_(random_), y_(random_)}; }

    long collisions = 0;

private:
    std::mt19937 random_{7};
    std::uniform_real_distribution<float> x_{0.0f, kWidth};
    std::uniform_real_distribution<float> y_{0.0f, kHeight};
    std::uniform_real_distribution<float> speed_{40.0f, 160.0f};
};

struct World {
    tarn::ObjectRef<tarn::Scene> scene{new tarn::Scene};
    tarn::ObjectRef<tarn::View2d> view{new tarn::View2d};
    std::vector<tarn::ObjectRef<tarn::SceneObject>> objects;
    Wander callbacks;

    World(int count, tarn::Sprite* sprite) {
        view->set_viewport_size({kWidth, kHeight});
        view->set_canvas_size({kWidth, kHeight});
        scene->set_view(view.get());
        objects.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            tarn::ObjectRef<tarn::SceneObject> o(new tarn::SceneObject);
            const tarn::Vec2 at = callbacks.place();
            o->set_position(at[0], at[1]);
            o->set_sprite(sprite);
            o->set_layer(i % 3);
            o->set_scene(scene.get());
            callbacks.send(*o);
            objects.push_back(o);
        }
    }
};

struct FrameCost {
    double update_ms = 0;
    double render_ms = 0;
    double frame_ms = 0;
    std::size_t allocations = 0;
};

FrameCost run_frames(World& world, tarn::Renderer& renderer, int frames, bool render) {
    FrameCost cost;
    const std::size_t allocations = g_allocations;
    const Clock::time_point start = Clock::now();
    for (int f = 0; f < frames; ++f) {
        const double t0 = cpu_ms();
        world.scene->update(kDt, &world.callbacks);
        const double t1 = cpu_ms();
        cost.update_ms += t1 - t0;
        if (!render)
            continue;
        renderer.begin_frame();
        world.scene->render_2d(renderer, kWidth, kHeight);
        renderer.end_frame();
        cost.render_ms += cpu_ms() - t1;
        bench::SpriteBench::swap_buffers();
    }
    glFinish();
    cost.frame_ms = Ms(Clock::now() - start).count() / frames;
    cost.update_ms /= frames;
    cost.render_ms /= frames;
    cost.allocations = g_allocations - allocations;
    return cost;
}

void moving_sprites(int count, tarn::Renderer& renderer, tarn::Sprite* sprite, int frames) {
    World world(count, sprite);
    run_frames(world, renderer, 60, true);
    const FrameCost cost = run_frames(world, renderer, frames, true);
    std::printf(
        "%d moving sprites: update %.3f ms + render %.3f ms (processor time), %.3f ms per frame "
        "with the swap (wall clock); %zu allocations in %d frames\n",
        count, cost.update_ms, cost.render_ms, cost.frame_ms, cost.allocations, frames);
}

void colliding(int count, tarn::Renderer& renderer, tarn::Sprite* sprite, int frames) {
    World world(count, sprite);
    for (std::size_t i = 0; i < world.objects.size(); ++i) {
        tarn::SceneObject& o = *world.objects[i];
        o.add_collision_circle({0, 0}, 8);
        o.set_collision_bits(1 << (i % 3), 1 << ((i + 1) % 3));
    }
    run_frames(world, renderer, 60, false);
    world.callbacks.collisions = 0;
    const FrameCost cost = run_frames(world, renderer, frames, false);
    std::printf(
        "%d colliding objects: update with the collision pass %.3f ms (processor time); "
        "%.1f collisions and %zu allocations per frame over %d frames\n",
        count, cost.update_ms, static_cast<double>(world.callbacks.collisions) / frames,
        cost.allocations / static_cast<std::size_t>(frames), frames);
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 200;
    tarn::create_singletons();
    bench::SpriteBench bench;
    if (!bench.start(kWidth, kHeight))
        return 1;
    tarn::Renderer& renderer = bench.renderer();
    tarn::Sprite* sprite = const_cast<tarn::Sprite*>(&bench.sprite());
    for (int count : {10000, 50000})
        moving_sprites(count, renderer, sprite, frames);
    colliding(1000, renderer, sprite, frames);
    return 0;
}
