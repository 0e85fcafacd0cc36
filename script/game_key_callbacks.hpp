#pragma once

#include "core/key_state.hpp"
#include "script/script_host.hpp"

namespace tarn {

// Forwards presses and releases to the game object's key_down(code) and key_up(code).
class GameKeyCallbacks final : public KeyListener {
public:
    GameKeyCallbacks(ScriptHost& host, const ScriptObject& game) : host_(host), game_(game) {}
    void key_changed(int code, bool down) override {
        host_.call_callback(game_, down ? "key_down" : "key_up", code);
    }

private:
    ScriptHost& host_;
    const ScriptObject& game_;
};

}  // namespace tarn
