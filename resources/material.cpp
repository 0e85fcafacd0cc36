#include "resources/material.hpp"

#include "core/log.hpp"
#include "core/message.hpp"
#include "core/name_table.hpp"
#include "render/renderer.hpp"
#include "resources/def_table.hpp"
#include "resources/resource_loading.hpp"

namespace tarn {

namespace {

// The root of the material classes; it has no tables of its own.
ClassDescriptor resource_object_class("ResourceObject", nullptr, nullptr, nullptr);

ClassGroup material_tables{&Material::class_descriptor,
                           "material",
                           "g_material_defs",
                           "material_instances",
                           {},
                           {},
                           nullptr};

}  // namespace

ClassDescriptor Material::class_descriptor("Material", &resource_object_class, nullptr, nullptr,
                                           &material_tables);
ClassDescriptor PyxMaterial::class_descriptor("PyxMaterial", &Material::class_descriptor, nullptr,
                                              nullptr, &material_tables,
                                              []() -> EngineObject* { return new PyxMaterial; });

ClassGroup& material_group() {
    return material_tables;
}

MaterialPass& Material::add_pass() {
    return passes_.emplace_back();
}

bool texture_fits_sampler(std::uint32_t sampler_code, bool cube_map, const SharedString& texture,
                          const SharedString& material) {
    const std::uint32_t type = sampler_code & 0xFFFF0000u;
    if (type != uniform_type::kTexture && type != uniform_type::kCubeMap) {
        log_message(message("Unsupported texture type %1.", type));
        return false;
    }
    if (cube_map != (type == uniform_type::kCubeMap)) {
        log_message(
            message("Incompatible texture '%1' format for material '%2'.", texture, material));
        return false;
    }
    return true;
}

// Carries one load of a PyxMaterial from its def.
class PyxMaterialLoader {
public:
    explicit PyxMaterialLoader(PyxMaterial& material)
        : m_(material), def_(material.get_def()), name_(material.get_def_name()) {}

    // False after logging the reason.
    bool run();

private:
    bool add_pass(const char* id_name, const ObjectRef<Shader>& shader);
    bool add_slot(MaterialPass& pass, const ShaderUniform& sampler) const;
    // The texture the def names for a sampler; none for a name the def leaves out.
    bool read_texture(const ShaderUniform& sampler, ObjectRef<Texture>& out) const;

    PyxMaterial& m_;
    DefTable def_;
    SharedString name_;
};

bool PyxMaterialLoader::run() {
    const SharedString shader_set = def_.string("shader");
    if (shader_set != "std") {
        log_message(message("Unknown shader '%1'.", shader_set));
        return false;
    }
    HSQUIRRELVM vm = m_.def().vm();
    const ObjectRef<Shader> phase1(get_or_load<Shader>(vm, "phase1"));
    const ObjectRef<Shader> phase3(get_or_load<Shader>(vm, "phase3"));
    if (!phase1 || !phase3 || !add_pass("gbuffer", phase1) || !add_pass("material", phase3))
        return false;
    m_.set_gloss(def_.number("gloss", m_.gloss()));
    return true;
}

bool PyxMaterialLoader::add_pass(const char* id_name, const ObjectRef<Shader>& shader) {
    MaterialPass& pass = m_.add_pass();
    pass.id = name_table().id(id_name);
    pass.shader = shader;
    for (const ShaderUniform& sampler : shader->samplers()) {
        if (!add_slot(pass, sampler))
            return false;
    }
    return true;
}

bool PyxMaterialLoader::add_slot(MaterialPass& pass, const ShaderUniform& sampler) const {
    ObjectRef<Texture> texture;
    if (!sampler.internal && !read_texture(sampler, texture))
        return false;
    if (pass.slot_count == MaterialPass::kMaxSlots) {
        log_message("Too many textures for material.");
        return false;
    }
    pass.slots[static_cast<std::size_t>(pass.slot_count++)] = {std::move(texture), sampler.code};
    return true;
}

bool PyxMaterialLoader::read_texture(const ShaderUniform& sampler, ObjectRef<Texture>& out) const {
    const SharedString property = renderer().render_property_name(sampler.code & 0xFFFF);
    if (!def_.has(property.data())) {
        log_message(message("Missing texture '%1' for material '%2'.", property, name_));
        return true;
    }
    const SharedString texture_name = def_.string(property.data());
    out.reset(get_or_load<Texture>(m_.def().vm(), texture_name.data(), true));
    if (!out) {
        log_message(message("Error loading texture for material '%1'.", name_));
        return false;
    }
    return texture_fits_sampler(sampler.code, (out->flags() & kTextureCubeMap) != 0, texture_name,
                                name_);
}

bool PyxMaterial::load() {
    clear_passes();
    if (!PyxMaterialLoader(*this).run()) {
        set_load_state(kFailed);
        log_message(message("Unable to load material '%1'.", get_def_name()));
        return false;
    }
    set_load_state(kLoaded);
    return true;
}

}  // namespace tarn
