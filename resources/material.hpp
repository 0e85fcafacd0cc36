#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/shared_string.hpp"
#include "render/shader_inputs.hpp"
#include "resources/shader.hpp"
#include "resources/texture.hpp"
#include "script/engine_object.hpp"

namespace tarn {

// The texture that fills one sampler of a pass's shader, with that sampler's code (uniform type
// in the high half, render-property index in the low 16 bits). Internal samplers, which the
// renderer fills from its own buffers, and samplers the def names no texture for have none.
struct MaterialSlot {
    ObjectRef<Texture> texture;
    std::uint32_t sampler_code = 0;
};

// One rendering pass of a material: its id in the name table, its shader and one slot per
// sampler of the shader, in sampler order (slot i is drawn from texture unit i).
struct MaterialPass {
    static constexpr int kMaxSlots = ShaderInputs::kMaxSamplers;

    std::int32_t id = -1;
    ObjectRef<Shader> shader;
    std::array<MaterialSlot, kMaxSlots> slots{};
    int slot_count = 0;

    std::span<const MaterialSlot> slot_list() const {
        return {slots.data(), static_cast<std::size_t>(slot_count)};
    }
};

// Shaders and textures tied together per rendering pass, plus a gloss. The material classes
// share "g_material_defs" and "material_instances" through the material group, so a def there
// can be loaded by any of them; they are made through their descriptor's factory and have no
// script class. Material itself is abstract: a concrete class says how its def is loaded.
class Material : public EngineObject {
public:
    static ClassDescriptor class_descriptor;

    const ClassDescriptor& descriptor() const override { return class_descriptor; }
    bool load() override = 0;

    std::span<const MaterialPass> passes() const { return passes_; }
    float gloss() const { return gloss_; }

protected:
    Material() = default;

    // Appends a pass with id -1, no shader and no slots.
    MaterialPass& add_pass();
    void clear_passes() { passes_.clear(); }
    void set_gloss(float gloss) { gloss_ = gloss; }

private:
    std::vector<MaterialPass> passes_;
    float gloss_ = 1.0f;
};

// The material of a two-pass deferred pipeline: a "gbuffer" pass drawn with the shader def
// "phase1" and a "material" pass drawn with "phase3". Its def names the shader set "std", a
// gloss, and a texture def per non-internal sampler of the two shaders, under the sampler's
// render-property name.
class PyxMaterial : public Material {
public:
    static ClassDescriptor class_descriptor;

    const ClassDescriptor& descriptor() const override { return class_descriptor; }
    // On failure logs why and "Unable to load material '...'."; the passes added stay.
    bool load() override;

private:
    friend class PyxMaterialLoader;
};

// Whether a texture (a cube map or not) may fill a sampler of that code; logs why not, naming the
// texture def and the material.
bool texture_fits_sampler(std::uint32_t sampler_code, bool cube_map, const SharedString& texture,
                          const SharedString& material);

// The group of the material classes: "material", "g_material_defs", "material_instances".
ClassGroup& material_group();

}  // namespace tarn
