#include "render/property_registry.hpp"

namespace tarn {

namespace {

constexpr const char* kBuiltinNames[] = {"none",
                                         "color",
                                         "normal",
                                         "custom1",
                                         "custom2",
                                         "custom3",
                                         "custom4",
                                         "cubemap",
                                         "cubemap2",
                                         "diffuse_texture",
                                         "normal_texture",
                                         "specular_texture",
                                         "fog_params",
                                         "fog_color",
                                         "gloss",
                                         "light_in_eye",
                                         "light_color",
                                         "light_radius",
                                         "view_to_light",
                                         "normal_buffer",
                                         "distance_buffer",
                                         "projection_texture",
                                         "falloff_texture",
                                         "light_buffer",
                                         "ssao_buffer",
                                         "color_buffer",
                                         "glow_buffer",
                                         "ssao_noise_texture"};

}  // namespace

PropertyRegistry::PropertyRegistry() {
    names_.reserve(std::size(kBuiltinNames));
    for (const char* name : kBuiltinNames)
        names_.emplace_back(name);
}

int PropertyRegistry::find_or_add(const char* name) {
    for (int i = 0; i < size(); ++i) {
        if (names_[i] == name)
            return i;
    }
    names_.emplace_back(name);
    return size() - 1;
}

SharedString PropertyRegistry::name(int index) const {
    if (index < 0 || index >= size())
        return SharedString();
    return names_[index];
}

}  // namespace tarn
