#pragma once

#include "script/engine_object.hpp"

namespace tarn::test {

// An EngineObject that reports its destruction.
class ProbeObject : public EngineObject {
public:
    explicit ProbeObject(bool* destroyed) : destroyed_(destroyed) {}
    ~ProbeObject() override { *destroyed_ = true; }

private:
    bool* destroyed_;
};

}  // namespace tarn::test
