#pragma once

#include <GL/glew.h>

#include <array>

namespace tarn {

// Framebuffer slots: slot 0 is the window (framebuffer 0); the others hold framebuffer objects
// with their colour and depth attachments, plus two shared renderbuffers.
class RenderTargets {
public:
    static constexpr int kSlots = 16;

    struct Attachment {
        GLenum point = 0;
        GLuint object = 0;
        GLint level = 0;
    };
    struct Slot {
        bool in_use = false;
        GLuint framebuffer = 0;
        std::array<Attachment, 3> attachments{};
    };
    struct Renderbuffer {
        GLuint name = 0;
        int width = 0;
        int height = 0;
    };

    RenderTargets() { reset(); }
    // Every slot unused with its attachment points set.
    void reset();
    void mark_window_in_use() { slots_[0].in_use = true; }
    const Slot& slot(int index) const { return slots_[index]; }
    // Deletes the slot's framebuffer (when it has one) and frees the slot.
    void release(int index);
    // Releases every slot and both renderbuffers.
    void release_all();

private:
    std::array<Slot, kSlots> slots_{};
    std::array<Renderbuffer, 2> renderbuffers_{};
};

}  // namespace tarn
