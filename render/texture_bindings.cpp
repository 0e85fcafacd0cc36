#include "render/texture_bindings.hpp"

#include "render/gpu_texture.hpp"

namespace tarn {

namespace {

constexpr GLenum kTargets[2] = {GL_TEXTURE_2D, GL_TEXTURE_CUBE_MAP};

}  // namespace

void TextureBindings::activate(int unit) {
    if (unit == active_unit_ || !multitexture_)
        return;
    glActiveTexture(GL_TEXTURE0 + unit);
    active_unit_ = unit;
}

void TextureBindings::bind(int unit, const GpuTexture* texture, GLenum target) {
    if (texture != nullptr)
        target = texture->gl_target();
    const GpuTexture*& bound = slot(unit, target);
    if (bound == texture)
        return;
    activate(unit);
    glBindTexture(target, texture != nullptr ? texture->gl_name() : 0);
    bound = texture;
}

void TextureBindings::unbind_everywhere(const GpuTexture* texture) {
    if (texture == nullptr)
        return;
    for (int unit = 0; unit < kUnits; ++unit) {
        for (int t = 0; t < 2; ++t) {
            if (slots_[unit][t] != texture)
                continue;
            activate(unit);
            glBindTexture(kTargets[t], 0);
            slots_[unit][t] = nullptr;
        }
    }
}

void TextureBindings::unbind_all() {
    for (int unit = 0; unit < kUnits; ++unit) {
        for (int t = 0; t < 2; ++t) {
            if (slots_[unit][t] == nullptr)
                continue;
            activate(unit);
            glBindTexture(kTargets[t], 0);
            slots_[unit][t] = nullptr;
        }
    }
    activate(0);
}

void TextureBindings::clear() {
    slots_ = {};
    active_unit_ = 0;
}

}  // namespace tarn
