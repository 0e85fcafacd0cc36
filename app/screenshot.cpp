#include "app/screenshot.hpp"

#include "core/log.hpp"
#include "core/message.hpp"
#include "core/platform_state.hpp"
#include "render/frame_capture.hpp"
#include "resources/png_encoder.hpp"

namespace tarn {

bool save_screenshot(const std::string& path) {
    const Platform& p = platform_state();
    Image image;
    if (image.allocate(p.width, p.height, PixelFormat::RGB8)) {
        read_back_buffer(image.data.get(), p.width, p.height);
        if (save_png(image, path))
            return true;
    }
    log_message(message("Can't save the screenshot '%1'.", path.c_str()));
    return false;
}

}  // namespace tarn
