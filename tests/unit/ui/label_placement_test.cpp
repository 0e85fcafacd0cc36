#include "ui/label_placement.hpp"

#include <gtest/gtest.h>

namespace tarn {
namespace {

// Every align name places a 30 x 10 text in a 100 x 40 frame and aligns its lines.
TEST(LabelPlacement, EachAlignNamePlacesTheTextInItsNinth) {
    struct Case {
        const char* name;
        Vec2 offset;
        TextAlign lines;
    };
    const Case cases[] = {
        {"center", {35, 15}, kTextAlignCenter},      {"left", {0, 15}, kTextAlignLeft},
        {"right", {70, 15}, kTextAlignRight},        {"top", {35, 0}, kTextAlignCenter},
        {"bottom", {35, 30}, kTextAlignCenter},      {"top_left", {0, 0}, kTextAlignLeft},
        {"top_right", {70, 0}, kTextAlignRight},     {"bottom_left", {0, 30}, kTextAlignLeft},
        {"bottom_right", {70, 30}, kTextAlignRight},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto align = label_align_from_name(c.name);
        ASSERT_TRUE(align.has_value());
        const LabelPlacement placement = place_label({100, 40}, {30, 10}, *align);
        EXPECT_EQ(placement.scale, 1.0f);
        EXPECT_EQ(placement.offset, c.offset);
        EXPECT_EQ(text_align_of_label(*align), c.lines);
    }
    for (const char* name : {"", "middle", "Center", "bottom-right"})
        EXPECT_FALSE(label_align_from_name(name).has_value()) << name;
    EXPECT_EQ(label_align_from_name("center"), label_align::kDefault);
}

TEST(LabelPlacement, TextShrinksToFitButNeverGrowsAndOffsetsAreFloored) {
    struct Case {
        const char* what;
        Vec2 frame, extent;
        const char* align;
        float scale;
        Vec2 offset;
    };
    const Case cases[] = {
        {"twice too wide", {200, 50}, {400, 20}, "center", 0.5f, {0, 20}},
        {"twice too high", {100, 10}, {40, 20}, "bottom_right", 0.5f, {80, 0}},
        {"smaller text", {300, 300}, {30, 10}, "top", 1.0f, {135, 0}},
        {"odd room", {101, 41}, {30, 10}, "center", 1.0f, {35, 15}},
        {"fractional flush", {101, 41}, {30.5f, 10.25f}, "bottom_right", 1.0f, {70, 30}},
        {"no frame", {0, 0}, {30, 10}, "center", 0.0f, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const LabelPlacement placement =
            place_label(c.frame, c.extent, *label_align_from_name(c.align));
        EXPECT_FLOAT_EQ(placement.scale, c.scale);
        EXPECT_EQ(placement.offset, c.offset);
    }
}

TEST(LabelPlacement, ShadowOffsetScalesWithTheTextAndTheLabelOffsetDoesNot) {
    const LabelPlacement placement{0.5f, {10, 20}};
    EXPECT_EQ(label_text_position(placement, {3, 4}), (Vec2{13, 24}));
    EXPECT_EQ(label_shadow_position(placement, {3, 4}, {0, -1}), (Vec2{13, 23.5f}));
    EXPECT_EQ(label_shadow_position(placement, {0, 0}, {4, 2}), (Vec2{12, 21}));
}

}  // namespace
}  // namespace tarn
