#include "ui/label_placement.hpp"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(LabelPlacement, TextShrinksToFitButNeverGrowsAndOffsetsAreFloored) {
    struct Case {
        Vec2 frame, extent;
        const char* align;
        float scale;
        Vec2 offset;
    };
    const Case cases[] = {
        {{200, 50}, {400, 20}, "center", 0.5f, {0, 20}},
        {{100, 10}, {40, 20}, "bottom_right", 0.5f, {80, 0}},
        {{300, 300}, {30, 10}, "top", 1.0f, {135, 0}},
        {{101, 41}, {30.5f, 10.25f}, "bottom_left", 1.0f, {0, 30}},
        {{101, 41}, {30, 10}, "right", 1.0f, {71, 15}},
        {{0, 0}, {30, 10}, "top_right", 0.0f, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.align);
        const LabelPlacement placement =
            place_label(c.frame, c.extent, *label_align_from_name(c.align));
        EXPECT_FLOAT_EQ(placement.scale, c.scale);
        EXPECT_EQ(placement.offset, c.offset);
    }
    // The shadow's own offset is in text units and scales with the text.
    const LabelPlacement placement{0.5f, {10, 20}};
    EXPECT_EQ(label_text_position(placement, {3, 4}), (Vec2{13, 24}));
    EXPECT_EQ(label_shadow_position(placement, {3, 4}, {2, -1}), (Vec2{14, 23.5f}));
}

}  // namespace
}  // namespace tarn
