#pragma once

#include <string>
#include <vector>

#include "resources/sprite.hpp"
#include "support/log_capture.hpp"
#include "unit/render/drawing_fixture.hpp"

namespace tarn::test {

// Drawing fixture plus a 64 x 32 dynamic texture "sheet" and a 1x1 "white" one, for sprite defs.
class SpriteTest : public DrawingTest {
protected:
    void SetUp() override {
        DrawingTest::SetUp();
        ASSERT_TRUE(
            vm_.run("::g_texture_defs.sheet <- { dynamic = true, width = 64, height = 32, format = "
                    "\"rgba\" };"));
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

    std::vector<ObjectRef<Sprite>> kept_;
};

}  // namespace tarn::test
