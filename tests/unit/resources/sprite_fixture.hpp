#pragma once

#include <string>
#include <vector>

#include "resources/resource_loading.hpp"
#include "resources/sprite.hpp"
#include "support/log_capture.hpp"
#include "support/script_vm.hpp"
#include "unit/render/drawing_fixture.hpp"

namespace tarn::test {

// Drawing fixture plus texture defs for sprite defs: a 64 x 32 dynamic texture "sheet", 1x1
// textures "white" and "red" of those colours, and the null texture "nothing".
class SpriteTest : public DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        ASSERT_TRUE(
            vm_.run("foreach (name in [\"red\", \"white\"])"
                    "  ::g_texture_defs[name] <- { _special_ = \"_white_\" };"
                    "::g_texture_defs.nothing <- { _special_ = \"_null_\" };"
                    "::g_texture_defs.sheet <- { dynamic = true, width = 64, height = 32, format = "
                    "\"rgba\" };"));
        ObjectRef<Texture> red(get_or_load<Texture>(vm_.vm(), "red", false));
        ASSERT_TRUE(red);
        const std::array<unsigned char, 3> rgb = {255, 0, 0};
        red->upload_pixels({1, 1, PixelFormat::RGB8, rgb.data()}, {});
        textures_.push_back(red);
    }
    // The batch may still hold a texture of the VM, which must go before the VM does.
    void TearDown() override {
        renderer_.shutdown();
        DrawingTest::TearDown();
    }

    // Defines sprite name with the def (script table text) and loads it; null when it fails.
    Sprite* load_sprite(const std::string& name, const std::string& def) {
        if (!vm_.run("::g_sprite_defs[\"" + name + "\"] <- " + def + ";")) {
            ADD_FAILURE() << "bad def " << def;
            return nullptr;
        }
        Sprite* sprite = get_or_load<Sprite>(vm_.vm(), name.c_str());
        if (sprite != nullptr)
            kept_.emplace_back(sprite);
        return sprite;
    }

    ScriptVm vm_;
    std::vector<ObjectRef<Texture>> textures_;
    std::vector<ObjectRef<Sprite>> kept_;
};

}  // namespace tarn::test
