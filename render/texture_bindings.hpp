#pragma once

#include <GL/glew.h>

#include <array>

namespace tarn {

class GpuTexture;

// What each texture unit has bound to its 2D and cube-map targets, and the active unit, so that
// repeated binds cost nothing. Null stands for texture 0.
class TextureBindings {
public:
    static constexpr int kUnits = 5;

    // Whether units other than 0 can be selected (multitexturing available).
    void set_multitexture(bool available) { multitexture_ = available; }
    // Binds texture (null: none) to unit's target of texture, or to GL_TEXTURE_2D for null.
    void bind(int unit, const GpuTexture* texture, GLenum target = GL_TEXTURE_2D);
    void activate(int unit);
    const GpuTexture* bound(int unit, GLenum target) const { return slot(unit, target); }
    int active_unit() const { return active_unit_; }

    // Binds 0 wherever texture is bound.
    void unbind_everywhere(const GpuTexture* texture);
    // Binds 0 on every unit and target that holds a texture, ending on unit 0.
    void unbind_all();
    // Forgets everything without GL calls (a new context starts empty).
    void clear();

private:
    static int target_index(GLenum target) { return target == GL_TEXTURE_CUBE_MAP ? 1 : 0; }
    const GpuTexture*& slot(int unit, GLenum target) { return slots_[unit][target_index(target)]; }
    const GpuTexture* slot(int unit, GLenum target) const {
        return slots_[unit][target_index(target)];
    }

    std::array<std::array<const GpuTexture*, 2>, kUnits> slots_{};
    int active_unit_ = 0;
    bool multitexture_ = false;
};

}  // namespace tarn
