#pragma once

#include "render/renderer.hpp"
#include "resources/sprite.hpp"
#include "script/script_host.hpp"

namespace bench {

// What the sprite benchmarks draw with: a window whose GL context is set up as the engine sets
// it up after a video-mode change, the engine's renderer, and a 16 x 16 sprite on a 64 x 64
// dynamic texture loaded from script defs. Needs the engine singletons.
class SpriteBench {
public:
    SpriteBench() = default;
    SpriteBench(const SpriteBench&) = delete;
    SpriteBench& operator=(const SpriteBench&) = delete;
    ~SpriteBench();

    // False, after saying why on stderr, when there is no GL window or the sprite does not load.
    bool start(int width, int height);

    tarn::Renderer& renderer() const { return tarn::renderer(); }
    const tarn::Sprite& sprite() const { return *sprite_; }
    // The started VM, with the engine's script API.
    tarn::ScriptHost& host() { return host_; }
    // Shows the frame drawn since the last swap.
    static void swap_buffers();

private:
    tarn::ScriptHost host_;
    tarn::ObjectRef<tarn::Sprite> sprite_;
};

}  // namespace bench
