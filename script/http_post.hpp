#pragma once

#include "core/shared_string.hpp"
#include "script/engine_object.hpp"

namespace tarn {

// An HTTP POST request object. This platform has no network transfer behind it: every request
// fails at once, and scripts see that through the same states a working transfer would use.
class HTTPPost : public EngineObject {
public:
    enum State { kIdle = 0, kFinished = 1, kRunning = 2, kFailed = 3 };

    static ClassDescriptor class_descriptor;

    const ClassDescriptor& descriptor() const override { return class_descriptor; }

    // Logs that posting is not supported and fails the request.
    void start(const SharedString& url, const SharedString& data);
    int state() const { return state_; }
    // What scripts see: 1 finished, -1 failed (or any unknown state), 0 idle or running.
    int script_status() const;
    const SharedString& received_data() const { return received_data_; }

private:
    int state_ = kIdle;
    SharedString received_data_;
};

}  // namespace tarn
