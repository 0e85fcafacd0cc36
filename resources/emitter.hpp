#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "resources/sprite.hpp"
#include "script/engine_object.hpp"
#include "script/object_ref.hpp"

namespace tarn {

class Renderer;

// A random value min + span * r, r in [0, 1).
struct RandomRange {
    float min = 0;
    float span = 0;
};

// A value over a particle's life: start at age 0, end at the end of its lifetime.
template <typename T>
struct LifeRun {
    T start{};
    T end{};
};

// A 2D particle effect from "g_emitter_defs": the particle sprites, how fast and how long
// particles spawn, where they fly and how alpha, colour, scale and occlusion change over life.
// Shared by every emitter state that plays it.
class Emitter2dResource : public EngineObject {
public:
    enum Flag : std::uint32_t {
        kAlphaRun = 0x2,
        kScaleRun = 0x4,
        kOcclusionRun = 0x8,
        kSpawnBox = 0x10,
        kColorRun = 0x20,
    };

    static ClassDescriptor class_descriptor;

    Emitter2dResource() = default;
    ~Emitter2dResource() override;
    const ClassDescriptor& descriptor() const override { return class_descriptor; }

    // Loads from the def; on failure logs why and "Unable to load emitter '...'.".
    bool load() override;

    // Fields as the def sets them (angles in turns); read by the emitter state.
    std::vector<ObjectRef<Sprite>> sprites;
    float initial_delay = -1;
    RandomRange spawn_rate{1, 0};
    float spawn_duration = -1;
    std::array<float, 2> spawn_box{};
    RandomRange direction{};
    RandomRange speed{};
    RandomRange gravity{1, 0};
    RandomRange duration{};
    RandomRange angle{};
    float rotation_speed = 0;
    RandomRange alpha{1, 0};
    LifeRun<float> alpha_run{};
    LifeRun<std::array<float, 3>> color_run{};
    LifeRun<std::array<float, 2>> scale_run{};
    LifeRun<float> occlusion_run{};
    std::uint32_t flags = 0;
};

// One playing particle effect, owned by its scene object: spawns, moves, ages and draws the
// particles of its resource.
class EmitterState {
public:
    // Particles alive at once at most: bounds what a runaway def (a huge rate, endless
    // lifetimes) can take; spawns past it are dropped.
    static constexpr int kMaxParticles = 16384;

    EmitterState();
    ~EmitterState();
    EmitterState(const EmitterState&) = delete;
    EmitterState& operator=(const EmitterState&) = delete;

    // Starts playing resource (loading it unless it is loaded or failed) after clearing; null
    // just clears.
    void set_resource(Emitter2dResource* resource);
    // Advances by dt seconds with the emitter at (x, y).
    void update(float dt, float x, float y);
    bool is_finished() const;
    // Writes the particles into the renderer's quad batch; stops when the batch refuses one.
    void draw(Renderer& renderer) const;
    // Deletes every particle and drops the resource.
    void clear();
    // Ends spawning (a script stopped or restarted the object).
    void stop() { stopped_ = true; }

    Emitter2dResource* resource() const { return resource_.get(); }
    int particle_count() const { return particle_count_; }
    bool stopped() const { return stopped_; }

private:
    struct Particle;

    // Whether this update may spawn: not stopped, and within the spawn duration (if it has one).
    bool spawning() const;
    // Moves the play time on by dt; false while the initial delay lasts. On the update that ends
    // the delay, step becomes the time past it.
    bool pass_time(float dt, float& step);
    // How many particles are due after step seconds (a burst only once), carrying fractions.
    int take_spawn_count(float step);
    Particle new_particle(float x, float y) const;
    // Ages every particle by step, removing those at the end of their lifetime and moving the
    // others.
    void age_particles(float step);
    void move_particle(Particle& p, float step) const;

    ObjectRef<Emitter2dResource> resource_;
    std::vector<Particle> particles_;  // in spawn order; dead ones removed in place
    int particle_count_ = 0;
    float rate_ = 0;
    float spawn_carry_ = 0;
    float time_ = 0;
    bool stopped_ = false;
};

}  // namespace tarn
