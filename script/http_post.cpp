#include "script/http_post.hpp"

#include "core/log.hpp"

namespace tarn {

ClassDescriptor HTTPPost::class_descriptor("HTTPPost", &EngineObject::class_descriptor, nullptr,
                                           nullptr);

void HTTPPost::start(const SharedString&, const SharedString&) {
    log_message("HTTPPost: Not supported.");
    state_ = kFailed;
}

int HTTPPost::script_status() const {
    switch (state_) {
        case kFinished:
            return 1;
        case kIdle:
        case kRunning:
            return 0;
        default:
            return -1;
    }
}

}  // namespace tarn
