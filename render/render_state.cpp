#include "render/render_state.hpp"

#include <GL/glew.h>

#include "core/fatal.hpp"

namespace tarn {

namespace {

void apply_blend(const RenderState& state, RenderState& cache) {
    if (state.source == cache.source && state.destination == cache.destination)
        return;
    if (state.source == GL_ONE && state.destination == GL_ZERO) {
        glDisable(GL_BLEND);
    } else {
        glEnable(GL_BLEND);
        glBlendFunc(state.source, state.destination);
    }
    cache.source = state.source;
    cache.destination = state.destination;
}

void apply_depth(std::uint32_t flags, std::uint32_t cached) {
    const std::uint32_t code = flags & RenderState::kDepthFunctionMask;
    const std::uint32_t cached_code = cached & RenderState::kDepthFunctionMask;
    if (code != cached_code) {
        if (code == 0) {
            glDisable(GL_DEPTH_TEST);
        } else {
            if (cached_code == 0)
                glEnable(GL_DEPTH_TEST);
            glDepthFunc(depth_function_of(code));
        }
    }
    if ((flags ^ cached) & RenderState::kDepthWrite)
        glDepthMask((flags & RenderState::kDepthWrite) != 0 ? GL_TRUE : GL_FALSE);
}

void apply_cull(std::uint32_t flags, std::uint32_t cached) {
    const std::uint32_t mode = flags & RenderState::kCullMask;
    if (mode == 0) {
        glDisable(GL_CULL_FACE);
        return;
    }
    if ((cached & RenderState::kCullMask) == 0)
        glEnable(GL_CULL_FACE);
    glCullFace(mode == RenderState::kCullBack ? GL_BACK : GL_FRONT);
}

}  // namespace

std::uint32_t depth_function_of(std::uint32_t code) {
    static constexpr std::uint32_t functions[8] = {GL_ALWAYS,  GL_LESS,   GL_LEQUAL,   GL_EQUAL,
                                                   GL_GREATER, GL_GEQUAL, GL_NOTEQUAL, GL_ALWAYS};
    return functions[code & RenderState::kDepthFunctionMask];
}

void apply_render_state(const RenderState& state, RenderState& cache) {
    apply_blend(state, cache);
    if ((state.flags ^ cache.flags) & RenderState::kDepthBits)
        apply_depth(state.flags, cache.flags);
    if ((state.flags ^ cache.flags) & RenderState::kCullMask)
        apply_cull(state.flags, cache.flags);
    cache.flags = state.flags;
}

int RenderStateTable::register_state(const RenderState& state) {
    for (int i = 1; i < count_; ++i) {
        if (slots_[i] == state)
            return i;
    }
    if (count_ == kSlots)
        fatal_internal_error(SharedString("Too many render states."));
    slots_[count_] = state;
    return count_++;
}

}  // namespace tarn
