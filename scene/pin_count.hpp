#pragma once

#include <cstdint>

#include "script/engine_object.hpp"

namespace tarn {

// Keeps an object alive across script callbacks: while pinned it is persistent, so dropping its
// last reference does not delete it; the last unpin deletes it when nothing holds it any more.
// Pins nest, so an update started from a callback of another leaves the outer one's pins alone.
class PinCount {
public:
    void pin(EngineObject& object) {
        if (count_++ == 0)
            object.set_persistent(true);
    }
    // False when object was deleted.
    bool unpin(EngineObject& object) {
        if (--count_ > 0)
            return true;
        object.set_persistent(false);
        if (object.ref_count() > 0 || object.has_instance())
            return true;
        object.destroy();
        return false;
    }
    bool pinned() const { return count_ > 0; }

private:
    std::int32_t count_ = 0;
};

}  // namespace tarn
