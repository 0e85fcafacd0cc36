#include "render/frame_capture.hpp"

#include <GL/glew.h>

#include <algorithm>
#include <cstddef>

namespace tarn {

void read_back_buffer(std::uint8_t* out, std::int32_t width, std::int32_t height) {
    GLint alignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, out);
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);
    // GL rows run bottom to top.
    const std::size_t row_bytes = static_cast<std::size_t>(width) * 3;
    for (std::int32_t top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
        std::uint8_t* a = out + row_bytes * top;
        std::swap_ranges(a, a + row_bytes, out + row_bytes * bottom);
    }
}

}  // namespace tarn
