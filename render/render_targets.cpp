#include "render/render_targets.hpp"

namespace tarn {

void RenderTargets::reset() {
    for (Slot& slot : slots_) {
        slot = Slot{};
        slot.attachments[0].point = GL_COLOR_ATTACHMENT0;
        slot.attachments[1].point = GL_COLOR_ATTACHMENT1;
        slot.attachments[2].point = GL_DEPTH_ATTACHMENT;
    }
}

void RenderTargets::release(int index) {
    Slot& slot = slots_[index];
    if (slot.framebuffer != 0 && glDeleteFramebuffers != nullptr)
        glDeleteFramebuffers(1, &slot.framebuffer);
    slot.framebuffer = 0;
    slot.in_use = false;
    for (Attachment& attachment : slot.attachments) {
        attachment.object = 0;
        attachment.level = 0;
    }
}

void RenderTargets::release_all() {
    for (int i = 0; i < kSlots; ++i)
        release(i);
    for (Renderbuffer& buffer : renderbuffers_) {
        if (buffer.name != 0 && glDeleteRenderbuffers != nullptr)
            glDeleteRenderbuffers(1, &buffer.name);
        buffer = Renderbuffer{};
    }
}

}  // namespace tarn
